// The nine built-in wave clips: the RIFF layout sndPlaySoundA plays from
// memory, mono 8-bit PCM at the right rate and about the right length,
// audible, quiet at both ends (no click), and exactly what the recipes make.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "embedded_resources.h"
#include "lib/clips.h"
#include "lib/wave_file.h"

namespace {

using restest::le16;
using restest::le32;

struct ClipExpectation {
  uint32_t rate;
  double seconds;
};

const ClipExpectation kClips[10] = {{0, 0},        {11025, 0.74}, {11025, 1.67}, {11025, 0.30},
                                    {22050, 0.30}, {11025, 0.74}, {11025, 0.69}, {11025, 1.86},
                                    {11025, 1.50}, {11025, 2.44}};

TEST(SoundResources, EveryClipIsMono8BitPcmOfTheRightRateAndLength) {
  ASSERT_EQ(restest::resourcesOfType("WAVE").size(), 9u);
  for (uint16_t id = 1; id <= 9; ++id) {
    SCOPED_TRACE("wave " + std::to_string(id));
    const EmbeddedResource* r = restest::findResource("WAVE", id);
    ASSERT_NE(r, nullptr);
    const unsigned char* p = r->data;
    ASSERT_GE(r->size, 44u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p), 4), "RIFF");
    EXPECT_EQ(le32(p + 4) + 8, r->size);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p + 8), 8), "WAVEfmt ");
    EXPECT_EQ(le32(p + 16), 16u);
    EXPECT_EQ(le16(p + 20), 1);  // PCM
    EXPECT_EQ(le16(p + 22), 1);  // mono
    EXPECT_EQ(le32(p + 24), kClips[id].rate);
    EXPECT_EQ(le32(p + 28), kClips[id].rate);
    EXPECT_EQ(le16(p + 32), 1);
    EXPECT_EQ(le16(p + 34), 8);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p + 36), 4), "data");
    uint32_t samples = le32(p + 40);
    ASSERT_LE(44 + samples, r->size);
    double seconds = double(samples) / kClips[id].rate;
    EXPECT_NEAR(seconds, kClips[id].seconds, kClips[id].seconds * 0.1);

    const unsigned char* data = p + 44;
    int loudest = 0;
    for (uint32_t i = 0; i < samples; ++i) loudest = std::max(loudest, std::abs(data[i] - 128));
    EXPECT_GT(loudest, 64) << "clip is nearly silent";
    EXPECT_LE(std::abs(data[0] - 128), 4) << "clip starts with a click";
    EXPECT_LE(std::abs(data[samples - 1] - 128), 4) << "clip ends with a click";
  }
}

// The clips are made during the build; the same recipe must give the same
// bytes every time, and the table must hold exactly those.
TEST(SoundResources, BuiltClipsAreTheRecipesOutputByteForByte) {
  for (int id = 1; id <= snowtools::kSoundClipCount; ++id) {
    snowtools::SoundClipData clip = snowtools::synthesiseClip(id);
    std::vector<uint8_t> wave = snowtools::encodeWaveFile(clip.samples, clip.sampleRate);
    EXPECT_EQ(snowtools::synthesiseClip(id).samples, clip.samples) << "clip " << id;
    const EmbeddedResource* r = restest::findResource("WAVE", uint16_t(id));
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(std::equal(wave.begin(), wave.end(), r->data, r->data + r->size))
        << "clip " << id << " in the table differs from its recipe";
  }
  EXPECT_THROW(snowtools::synthesiseClip(10), std::out_of_range);
}

TEST(SoundResources, OddLengthDataIsPaddedToAWordButCountedExactly) {
  std::vector<uint8_t> wave = snowtools::encodeWaveFile({128, 130, 126}, 11025);
  ASSERT_EQ(wave.size(), 44u + 4u);
  EXPECT_EQ(le32(wave.data() + 40), 3u);
  EXPECT_EQ(le32(wave.data() + 4) + 8, wave.size());
}

}  // namespace
