// The packed form: "SR1", the unpacked length (LEB128), then sequences of a
// literal count (LEB128), the literals, and, unless the output is complete,
// a match: its distance back (LEB128, at least 1) and its length less 4
// (LEB128). The unpacked text is the run with each "t CLOCK" line written as
// "\x01DELTA" (DELTA the signed difference from the previous clock), and a
// line that began with \x01 or \x02 given a \x02 in front.
#include "platform/replay/run_link.h"

#include "platform/replay/replay_format.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <vector>

namespace {

constexpr char kMagic[] = "SR1";
constexpr size_t kMinMatch = 4;
constexpr size_t kHashBits = 15;
constexpr int kChainSteps = 48;
constexpr char kDeltaLine = '\x01';
constexpr char kEscapedLine = '\x02';

// ---- Clock readings as deltas --------------------------------------------------

bool readClock(std::string_view digits, uint32_t* value) {
  if (digits.empty() || digits.size() > 10 || (digits.size() > 1 && digits[0] == '0')) return false;
  uint64_t v = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<uint64_t>(c - '0');
  }
  if (v > UINT32_MAX) return false;
  *value = static_cast<uint32_t>(v);
  return true;
}

template <typename Each>
void forEachLine(std::string_view text, Each each) {
  while (!text.empty()) {
    const size_t cut = text.find('\n');
    const bool last = cut == std::string_view::npos;
    each(text.substr(0, last ? text.size() : cut), !last);
    text.remove_prefix(last ? text.size() : cut + 1);
  }
}

std::string clocksToDeltas(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  uint32_t previous = 0;
  forEachLine(text, [&](std::string_view line, bool newline) {
    uint32_t clock = 0;
    const size_t end = line.find(' ', 2);
    if (line.substr(0, 2) == "t " &&
        readClock(line.substr(2, end == std::string_view::npos ? end : end - 2), &clock)) {
      out += kDeltaLine;
      out += std::to_string(static_cast<int32_t>(clock - previous));
      if (end != std::string_view::npos) out += line.substr(end);
      previous = clock;
    } else {
      if (!line.empty() && (line[0] == kDeltaLine || line[0] == kEscapedLine)) out += kEscapedLine;
      out += line;
    }
    if (newline) out += '\n';
  });
  return out;
}

bool deltasToClocks(std::string_view text, std::string* out) {
  out->clear();
  out->reserve(text.size() + text.size() / 4);
  uint32_t previous = 0;
  bool ok = true;
  forEachLine(text, [&](std::string_view line, bool newline) {
    if (!line.empty() && line[0] == kDeltaLine) {
      const size_t end = line.find(' ');
      const std::string_view number = line.substr(1, end == std::string_view::npos ? end : end - 1);
      int32_t delta = 0;
      const auto [at, ec] = std::from_chars(number.data(), number.data() + number.size(), delta);
      if (ec != std::errc() || at != number.data() + number.size()) ok = false;
      previous += static_cast<uint32_t>(delta);
      *out += "t " + std::to_string(previous);
      if (end != std::string_view::npos) *out += line.substr(end);
    } else {
      *out += !line.empty() && line[0] == kEscapedLine ? line.substr(1) : line;
    }
    if (newline) *out += '\n';
  });
  return ok;
}

// ---- LZ77 -----------------------------------------------------------------

void putNumber(std::string* out, uint64_t value) {
  while (value >= 0x80) {
    *out += static_cast<char>(0x80 | (value & 0x7F));
    value >>= 7;
  }
  *out += static_cast<char>(value);
}

bool takeNumber(std::string_view* in, uint64_t* value) {
  *value = 0;
  for (int shift = 0; shift < 35; shift += 7) {
    if (in->empty()) return false;
    const uint8_t byte = static_cast<uint8_t>(in->front());
    in->remove_prefix(1);
    *value |= static_cast<uint64_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) return true;
  }
  return false;
}

uint32_t hashAt(std::string_view s, size_t at) {
  uint32_t v = static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8 |
               static_cast<uint8_t>(s[at + 2]) << 16 |
               static_cast<uint32_t>(static_cast<uint8_t>(s[at + 3])) << 24;
  return (v * 2654435761u) >> (32 - kHashBits);
}

std::string compress(std::string_view in) {
  std::string out = kMagic;
  putNumber(&out, in.size());
  std::vector<int32_t> head(size_t{1} << kHashBits, -1);
  std::vector<int32_t> chain(in.size(), -1);
  size_t literalStart = 0, at = 0;
  auto insert = [&](size_t i) {
    if (i + kMinMatch > in.size()) return;
    const uint32_t h = hashAt(in, i);
    chain[i] = head[h];
    head[h] = static_cast<int32_t>(i);
  };
  while (at + kMinMatch <= in.size()) {
    size_t bestLength = 0, bestDistance = 0;
    int32_t candidate = head[hashAt(in, at)];
    for (int step = 0; candidate >= 0 && step < kChainSteps; ++step, candidate = chain[candidate]) {
      size_t length = 0;
      const size_t from = static_cast<size_t>(candidate);
      while (at + length < in.size() && in[from + length] == in[at + length]) ++length;
      if (length > bestLength) {
        bestLength = length;
        bestDistance = at - from;
      }
    }
    if (bestLength < kMinMatch) {
      insert(at++);
      continue;
    }
    putNumber(&out, at - literalStart);
    out.append(in.substr(literalStart, at - literalStart));
    putNumber(&out, bestDistance);
    putNumber(&out, bestLength - kMinMatch);
    for (size_t end = at + bestLength; at < end; ++at) insert(at);
    literalStart = at;
  }
  if (literalStart < in.size()) {
    putNumber(&out, in.size() - literalStart);
    out.append(in.substr(literalStart));
  }
  return out;
}

bool decompress(std::string_view in, std::string* out, std::string* error) {
  if (in.substr(0, 3) != kMagic) {
    *error = "not a packed run";
    return false;
  }
  in.remove_prefix(3);
  uint64_t size = 0;
  if (!takeNumber(&in, &size)) {
    *error = "the packed run is cut off";
    return false;
  }
  if (size > kMostRunBytes) {
    *error = "the run would unpack to " + std::to_string(size) + " bytes, over the limit of " +
             std::to_string(kMostRunBytes);
    return false;
  }
  out->clear();
  out->reserve(size);
  while (out->size() < size) {
    uint64_t literals = 0, distance = 0, extra = 0;
    if (!takeNumber(&in, &literals) || literals > in.size() || literals > size - out->size()) {
      *error = "the packed run is cut off or damaged";
      return false;
    }
    out->append(in.substr(0, literals));
    in.remove_prefix(literals);
    if (out->size() == size) break;
    if (!takeNumber(&in, &distance) || !takeNumber(&in, &extra) || distance == 0 ||
        distance > out->size() || extra > size - out->size() - kMinMatch ||
        out->size() + kMinMatch > size) {
      *error = "the packed run is cut off or damaged";
      return false;
    }
    const size_t from = out->size() - distance;
    for (size_t i = 0; i < extra + kMinMatch; ++i) *out += (*out)[from + i];
  }
  if (!in.empty()) {
    *error = "the packed run has bytes after its end";
    return false;
  }
  return true;
}

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

}  // namespace

std::string base64UrlEncode(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  uint32_t bits = 0;
  int count = 0;
  for (char c : bytes) {
    bits = bits << 8 | static_cast<uint8_t>(c);
    count += 8;
    while (count >= 6) {
      count -= 6;
      out += kAlphabet[(bits >> count) & 63];
    }
  }
  if (count > 0) out += kAlphabet[(bits << (6 - count)) & 63];
  return out;
}

bool base64UrlDecode(std::string_view text, std::string* bytes) {
  static const std::array<int8_t, 256> value = [] {
    std::array<int8_t, 256> table{};
    table.fill(-1);
    for (int i = 0; i < 64; ++i) table[static_cast<uint8_t>(kAlphabet[i])] = static_cast<int8_t>(i);
    return table;
  }();
  bytes->clear();
  bytes->reserve(text.size() * 3 / 4);
  if (text.size() % 4 == 1) return false;
  uint32_t bits = 0;
  int count = 0;
  for (char c : text) {
    const int v = value[static_cast<uint8_t>(c)];
    if (v < 0) return false;
    bits = bits << 6 | static_cast<uint32_t>(v);
    count += 6;
    if (count >= 8) {
      count -= 8;
      *bytes += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  // The bits left over must be the zero padding the encoder writes.
  return (bits & ((1u << count) - 1)) == 0;
}

std::string packRun(std::string_view runText) {
  return compress(clocksToDeltas(runText));
}

bool unpackRun(std::string_view packed, std::string* runText, std::string* error) {
  std::string deltas;
  if (!decompress(packed, &deltas, error)) return false;
  if (!deltasToClocks(deltas, runText) || runText->size() > kMostRunBytes) {
    *error = "the packed run is damaged";
    return false;
  }
  return true;
}

std::string runLinkFragment(std::string_view runText) {
  // The end state goes as its digest: a third of a short run's link else.
  std::string text(runText);
  const size_t state = text.rfind("\nstate ");
  if (state != std::string::npos) {
    const size_t from = state + 7;
    size_t to = text.find('\n', from);
    if (to == std::string::npos) to = text.size();
    const std::string_view line = std::string_view(text).substr(from, to - from);
    if (!isStateDigest(line)) text.replace(from, to - from, stateDigest(line));
  }
  return "run=" + base64UrlEncode(packRun(text));
}

bool readRunLink(std::string_view link, std::string* runText, std::string* error) {
  const size_t hash = link.find('#');
  if (hash != std::string_view::npos) link.remove_prefix(hash + 1);
  if (link.substr(0, 4) == "run=") link.remove_prefix(4);
  while (!link.empty() && (link.back() == '\n' || link.back() == '\r' || link.back() == ' '))
    link.remove_suffix(1);
  std::string packed;
  if (link.empty()) {
    *error = "the link holds no run";
    return false;
  }
  if (link.size() > kMostRunBytes * 2) {
    *error = "the link is too long to be a run";
    return false;
  }
  if (!base64UrlDecode(link, &packed)) {
    *error = "the link is not base64url text (cut off or changed?)";
    return false;
  }
  std::string why;
  if (!unpackRun(packed, runText, &why)) {
    *error = "the link's run cannot be read: " + why;
    return false;
  }
  return true;
}
