#include "platform/replay/picture_shrink.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

// A source pixel and how much of it a target pixel covers.
struct Share {
  int from;
  uint32_t weight;
};

// For each of to target pixels, the source pixels it covers. Measured in
// units of 1/to of a source pixel, source pixel i spans [i*to, (i+1)*to)
// and target pixel j spans [j*from, (j+1)*from): the weights of one target
// pixel add up to from.
std::vector<std::vector<Share>> sharesAlong(int from, int to) {
  std::vector<std::vector<Share>> shares(static_cast<size_t>(to));
  for (int j = 0; j < to; ++j) {
    const int64_t begin = int64_t{j} * from, end = begin + from;
    for (int64_t i = begin / to; i * to < end; ++i) {
      const int64_t overlap = std::min(end, (i + 1) * to) - std::max(begin, i * to);
      shares[j].push_back(Share{static_cast<int>(i), static_cast<uint32_t>(overlap)});
    }
  }
  return shares;
}

}  // namespace

void shrinkPicture(const PictureView& from, uint32_t* to, int toWidth, int toHeight) {
  if (toWidth <= 0 || toHeight <= 0 || from.width < toWidth || from.height < toHeight) return;
  const auto columns = sharesAlong(from.width, toWidth);
  const auto rows = sharesAlong(from.height, toHeight);
  // Each target pixel's weights add up to the source's width times height.
  const uint64_t whole = uint64_t{static_cast<uint32_t>(from.width)} * from.height;
  std::vector<uint64_t> sums(static_cast<size_t>(toWidth) * 3);
  for (int y = 0; y < toHeight; ++y) {
    std::fill(sums.begin(), sums.end(), 0);
    for (const Share& row : rows[y]) {
      const uint32_t* line = from.pixels + static_cast<ptrdiff_t>(row.from) * from.stride;
      for (int x = 0; x < toWidth; ++x) {
        uint64_t r = 0, g = 0, b = 0;
        for (const Share& column : columns[x]) {
          const uint32_t pixel = line[column.from];
          r += uint64_t{pixel >> 16 & 0xFF} * column.weight;
          g += uint64_t{pixel >> 8 & 0xFF} * column.weight;
          b += uint64_t{pixel & 0xFF} * column.weight;
        }
        sums[x * 3] += r * row.weight;
        sums[x * 3 + 1] += g * row.weight;
        sums[x * 3 + 2] += b * row.weight;
      }
    }
    uint32_t* out = to + static_cast<ptrdiff_t>(y) * toWidth;
    for (int x = 0; x < toWidth; ++x) {
      auto mean = [&](int channel) {
        return static_cast<uint32_t>((sums[x * 3 + channel] + whole / 2) / whole);
      };
      out[x] = mean(0) << 16 | mean(1) << 8 | mean(2);
    }
  }
}
