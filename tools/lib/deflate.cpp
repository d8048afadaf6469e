#include "deflate.h"

#include <algorithm>
#include <array>

namespace snowtools {
namespace {

class BitWriter {
 public:
  // Plain fields go least significant bit first.
  void bits(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bit((value >> i) & 1);
  }
  // Huffman codes go most significant bit first.
  void code(uint32_t value, int length) {
    for (int i = length - 1; i >= 0; --i) bit((value >> i) & 1);
  }
  std::vector<uint8_t> finish() {
    if (used_ > 0) out_.push_back(current_);
    return std::move(out_);
  }
  explicit BitWriter(std::vector<uint8_t> start) : out_(std::move(start)) {}

 private:
  void bit(uint32_t b) {
    current_ |= static_cast<uint8_t>(b << used_);
    if (++used_ == 8) {
      out_.push_back(current_);
      current_ = 0;
      used_ = 0;
    }
  }
  std::vector<uint8_t> out_;
  uint8_t current_ = 0;
  int used_ = 0;
};

constexpr std::array<int, 29> kLengthBase{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                          15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                          67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase{
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void symbol(BitWriter& out, int sym) {
  if (sym < 144)
    out.code(0x30 + sym, 8);
  else if (sym < 256)
    out.code(0x190 + sym - 144, 9);
  else if (sym < 280)
    out.code(sym - 256, 7);
  else
    out.code(0xC0 + sym - 280, 8);
}

void match(BitWriter& out, int length, int distance) {
  int l = static_cast<int>(std::upper_bound(kLengthBase.begin(), kLengthBase.end(), length) -
                           kLengthBase.begin()) -
          1;
  symbol(out, 257 + l);
  out.bits(length - kLengthBase[l], kLengthExtra[l]);
  int d = static_cast<int>(std::upper_bound(kDistanceBase.begin(), kDistanceBase.end(), distance) -
                           kDistanceBase.begin()) -
          1;
  out.code(d, 5);
  out.bits(distance - kDistanceBase[d], kDistanceExtra[d]);
}

uint32_t adler32(const std::vector<uint8_t>& data) {
  uint32_t a = 1, b = 0;
  for (uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return b << 16 | a;
}

}  // namespace

std::vector<uint8_t> zlibCompress(const std::vector<uint8_t>& data) {
  constexpr int kWindow = 32768, kMaxLength = 258, kMaxChain = 64, kHashSize = 1 << 15;
  BitWriter out({0x78, 0x01});
  out.bits(1, 1);  // the only block, the last
  out.bits(1, 2);  // fixed codes
  std::vector<int> head(kHashSize, -1), previous(data.size(), -1);
  const int size = static_cast<int>(data.size());
  auto hash = [&](int at) {
    return ((data[at] << 10) ^ (data[at + 1] << 5) ^ data[at + 2]) & (kHashSize - 1);
  };
  auto remember = [&](int at) {
    if (at + 2 >= size) return;
    int h = hash(at);
    previous[at] = head[h];
    head[h] = at;
  };
  int at = 0;
  while (at < size) {
    int bestLength = 0, bestDistance = 0;
    if (at + 2 < size) {
      int limit = std::min(kMaxLength, size - at);
      int chain = kMaxChain;
      for (int from = head[hash(at)]; from >= 0 && at - from <= kWindow && chain-- > 0;
           from = previous[from]) {
        int length = 0;
        while (length < limit && data[from + length] == data[at + length]) ++length;
        if (length > bestLength) {
          bestLength = length;
          bestDistance = at - from;
          if (length == limit) break;
        }
      }
    }
    if (bestLength >= 3) {
      match(out, bestLength, bestDistance);
      for (int i = 0; i < bestLength; ++i) remember(at + i);
      at += bestLength;
    } else {
      symbol(out, data[at]);
      remember(at);
      ++at;
    }
  }
  symbol(out, 256);
  std::vector<uint8_t> bytes = out.finish();
  uint32_t check = adler32(data);
  for (int shift = 24; shift >= 0; shift -= 8)
    bytes.push_back(static_cast<uint8_t>(check >> shift));
  return bytes;
}

}  // namespace snowtools
