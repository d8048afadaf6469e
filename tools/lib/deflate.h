// A small zlib-stream compressor for the files the tools write: greedy
// LZ77 over a 32 KiB window with deflate's fixed Huffman codes. Scaled-up
// pixel art is long runs and repeated rows, which this alone packs tightly.
#pragma once

#include <cstdint>
#include <vector>

namespace snowtools {

std::vector<uint8_t> zlibCompress(const std::vector<uint8_t>& data);

}  // namespace snowtools
