// RIFF/WAVE parsing of good and malformed images, and sndPlaySoundA on top.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "fake_backend.h"
#include "platform/kernel/resource_table.h"
#include "platform/mm/wave_parser.h"
#include "platform/win32/kernel.h"
#include "platform/win32/mm.h"

namespace {
using Bytes = std::vector<uint8_t>;

void put32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void put16(Bytes& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void tag(Bytes& b, const char* t) {
  // One byte at a time: g++ 12 warns falsely about insert into an empty vector.
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(t[i]));
}

Bytes fmtChunk(uint16_t formatTag = 1, uint16_t channels = 1, uint32_t rate = 11025,
               uint16_t bits = 8) {
  Bytes b;
  tag(b, "fmt ");
  put32(b, 16);
  put16(b, formatTag);
  put16(b, channels);
  put32(b, rate);
  put32(b, rate * channels * bits / 8);
  put16(b, static_cast<uint16_t>(channels * bits / 8));
  put16(b, bits);
  return b;
}

Bytes chunk(const char* t, const Bytes& body, uint32_t claimed) {
  Bytes b;
  tag(b, t);
  put32(b, claimed);
  b.insert(b.end(), body.begin(), body.end());
  if (body.size() % 2 && claimed == body.size()) b.push_back(0);  // pad byte
  return b;
}
Bytes chunk(const char* t, const Bytes& body) {
  return chunk(t, body, static_cast<uint32_t>(body.size()));
}

// A RIFF image of the given chunks; riffSize -1 means the honest size.
Bytes riff(std::initializer_list<Bytes> chunks, int64_t riffSize = -1) {
  Bytes body;
  for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
  Bytes b;
  tag(b, "RIFF");
  put32(b, riffSize < 0 ? static_cast<uint32_t>(body.size() + 4) : static_cast<uint32_t>(riffSize));
  tag(b, "WAVE");
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

const Bytes kSamples = {0x80, 0x90, 0xA0, 0xB0, 0xC0};

bool parse(const Bytes& image, ParsedWave& wave) {
  return parseWave(image.data(), image.size(), &wave);
}
}  // namespace

TEST(WaveParsing, ReadsFormatAndSamplesOfAGoodImage) {
  const Bytes image = riff({fmtChunk(), chunk("LIST", {1, 2, 3}), chunk("data", kSamples)});
  ParsedWave wave;
  ASSERT_TRUE(parse(image, wave));
  EXPECT_EQ(wave.format.channels, 1);
  EXPECT_EQ(wave.format.samplesPerSecond, 11025u);
  EXPECT_EQ(wave.format.bitsPerSample, 8);
  EXPECT_EQ(wave.bytes, kSamples.size());
  ASSERT_GE(wave.samples, image.data());
  EXPECT_EQ(std::memcmp(wave.samples, kSamples.data(), kSamples.size()), 0);

  // Data before the format is fine too, and 16-bit stereo keeps whole frames.
  const Bytes stereo =
      riff({chunk("data", {1, 2, 3, 4, 5, 6, 7, 8, 9}), fmtChunk(1, 2, 22050, 16)});
  ASSERT_TRUE(parse(stereo, wave));
  EXPECT_EQ(wave.format.channels, 2);
  EXPECT_EQ(wave.bytes, 8u);
}

TEST(WaveParsing, LyingSizesAreCutToTheBytesPresent) {
  ParsedWave wave;
  // A RIFF size far past the end, and a data chunk claiming 4 GiB.
  const Bytes image = riff({fmtChunk(), chunk("data", kSamples, 0xFFFFFFF0u)}, 0xFFFFFFF0u);
  ASSERT_TRUE(parse(image, wave));
  EXPECT_EQ(wave.bytes, kSamples.size());
  EXPECT_LE(wave.samples + wave.bytes, image.data() + image.size());

  // A RIFF size shorter than the chunks hides what lies beyond it.
  const Bytes shortRiff = riff({fmtChunk(), chunk("data", kSamples)}, 4 + 24 + 8 + 2);
  ASSERT_TRUE(parse(shortRiff, wave));
  EXPECT_EQ(wave.bytes, 2u);
  const Bytes hidden = riff({fmtChunk(), chunk("data", kSamples)}, 4 + 24);
  EXPECT_FALSE(parse(hidden, wave));
}

TEST(WaveParsing, OddChunksArePaddedToEvenOffsets) {
  ParsedWave wave;
  const Bytes image = riff({chunk("junk", {1, 2, 3}), fmtChunk(), chunk("data", kSamples)});
  ASSERT_TRUE(parse(image, wave));
  EXPECT_EQ(wave.bytes, kSamples.size());
  EXPECT_EQ(wave.samples[0], 0x80);
}

TEST(WaveParsing, MalformedImagesAreRefused) {
  ParsedWave wave;
  const Bytes data = chunk("data", kSamples);
  EXPECT_FALSE(parse(riff({data}), wave)) << "no format";
  EXPECT_FALSE(parse(riff({fmtChunk()}), wave)) << "no data";
  EXPECT_FALSE(parse(riff({fmtChunk(2), data}), wave)) << "ADPCM";
  EXPECT_FALSE(parse(riff({fmtChunk(1, 0), data}), wave)) << "no channels";
  EXPECT_FALSE(parse(riff({fmtChunk(1, 6), data}), wave)) << "six channels";
  EXPECT_FALSE(parse(riff({fmtChunk(1, 1, 0), data}), wave)) << "rate 0";
  EXPECT_FALSE(parse(riff({fmtChunk(1, 1, 4000000), data}), wave)) << "absurd rate";
  EXPECT_FALSE(parse(riff({fmtChunk(1, 1, 11025, 12), data}), wave)) << "12-bit";
  Bytes badAlign = fmtChunk();
  badAlign[8 + 12] = 7;
  EXPECT_FALSE(parse(riff({badAlign, data}), wave)) << "block align";
  Bytes cutFormat = fmtChunk();
  cutFormat.resize(8 + 10);
  EXPECT_FALSE(parse(riff({cutFormat}), wave)) << "format cut short";

  Bytes notRiff = riff({fmtChunk(), data});
  notRiff[0] = 'X';
  EXPECT_FALSE(parse(notRiff, wave));
  Bytes notWave = riff({fmtChunk(), data});
  notWave[8] = 'A';
  EXPECT_FALSE(parse(notWave, wave));
  EXPECT_FALSE(parseWave(notWave.data(), 11, &wave));
  EXPECT_FALSE(parseWave(nullptr, 100, &wave));
}

TEST(WaveParsing, EveryTruncationAndRandomDamageStaysInBounds) {
  const Bytes good = riff({fmtChunk(), chunk("data", kSamples)});
  for (size_t length = 0; length <= good.size(); ++length) {
    // A fresh heap copy of exactly `length` bytes, so a sanitiser build sees
    // any read past it.
    std::vector<uint8_t> copy(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
    ParsedWave wave;
    if (parseWave(copy.data(), copy.size(), &wave)) {
      EXPECT_GE(wave.samples, copy.data());
      EXPECT_LE(wave.samples + wave.bytes, copy.data() + copy.size());
    }
  }
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    Bytes damaged = good;
    for (int hits = 0; hits < 3; ++hits)
      damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
    ParsedWave wave;
    if (parse(damaged, wave)) {
      ASSERT_LE(wave.samples + wave.bytes, damaged.data() + damaged.size()) << round;
      ASSERT_EQ(wave.bytes % (wave.format.channels * wave.format.bitsPerSample / 8), 0u);
    }
  }
}

namespace {
class SoundPlayback : public ::testing::Test {
 protected:
  void SetUp() override {
    goodImage = riff({fmtChunk(), chunk("data", kSamples)});
    table[0] = {0, "WAVE", 1, nullptr, goodImage.data(), goodImage.size()};
    // A resource whose RIFF header claims more than the resource holds.
    lyingImage = riff({fmtChunk(), chunk("data", kSamples, 1000)}, 100000);
    table[1] = {0, "WAVE", 2, nullptr, lyingImage.data(), lyingImage.size()};
    setResourceTable(table, 2);
  }
  void TearDown() override { setResourceTable(nullptr, 0); }

  const char* lockedWave(int id) {
    HRSRC found = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), "WAVE");
    return static_cast<const char*>(LockResource(LoadResource(GetModuleHandleA(nullptr), found)));
  }

  FakeBackendInstalled fake;
  Bytes goodImage;
  Bytes lyingImage;
  EmbeddedResource table[2];
};
}  // namespace

TEST_F(SoundPlayback, PlaysAResourceFromMemoryAndStops) {
  const char* image = lockedWave(1);
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(sndPlaySoundA(image, SND_ASYNC | SND_MEMORY));
  ASSERT_EQ(fakeBackendState().played.size(), 1u);
  const PlayedSound& played = fakeBackendState().played[0];
  EXPECT_EQ(played.sourceImage, image);
  EXPECT_EQ(played.bytes, kSamples.size());
  EXPECT_EQ(played.format.samplesPerSecond, 11025u);

  EXPECT_TRUE(sndPlaySoundA(nullptr, 0));
  EXPECT_EQ(fakeBackendState().stops, 1);
}

TEST_F(SoundPlayback, ResourceBoundsWinOverTheImagesOwnClaims) {
  EXPECT_TRUE(sndPlaySoundA(lockedWave(2), SND_ASYNC | SND_MEMORY));
  ASSERT_EQ(fakeBackendState().played.size(), 1u);
  EXPECT_EQ(fakeBackendState().played[0].bytes, kSamples.size());
}

TEST_F(SoundPlayback, RefusesWhatItCannotPlay) {
  const Bytes bad = riff({fmtChunk(2), chunk("data", kSamples)});
  EXPECT_FALSE(sndPlaySoundA(reinterpret_cast<const char*>(bad.data()), SND_ASYNC | SND_MEMORY));
  EXPECT_FALSE(sndPlaySoundA("ding.wav", SND_ASYNC));
  EXPECT_FALSE(sndPlaySoundA(lockedWave(1), SND_ASYNC | SND_MEMORY | SND_LOOP));
  EXPECT_TRUE(fakeBackendState().played.empty());
}
