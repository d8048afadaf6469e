// Loading, playing and releasing the nine clips, with the wave images of a
// resource table made for the test and the sounds the backend was given.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/kernel/resource_table.h"
#include "platform/win32.h"
#include "scoring_world.h"
#include "sound/sound.h"

namespace {

// A short mono 8-bit PCM image at 11025 samples per second.
std::vector<unsigned char> waveImage(unsigned char level) {
  const uint32_t samples = 64;
  std::vector<unsigned char> image(44 + samples, level);
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&image[at], &v, 4); };
  auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&image[at], &v, 2); };
  std::memcpy(&image[0], "RIFF", 4);
  put32(4, 36 + samples);
  std::memcpy(&image[8], "WAVEfmt ", 8);
  put32(16, 16);
  put16(20, 1);  // PCM
  put16(22, 1);
  put32(24, 11025);
  put32(28, 11025);
  put16(32, 1);
  put16(34, 8);
  std::memcpy(&image[36], "data", 4);
  put32(40, samples);
  return image;
}

class SoundEffects : public ScoringWorld {
 protected:
  void SetUp() override {
    ScoringWorld::SetUp();
    world.soundOff = false;
    for (int id = 1; id <= kSoundCount; ++id)
      images[id] = waveImage(static_cast<unsigned char>(id));
    useTableWithout(0);
  }
  void TearDown() override {
    setResourceTable(nullptr, 0);
    ScoringWorld::TearDown();
  }
  // Every clip's resource, except the one numbered missing (0: none missing).
  void useTableWithout(int missing) {
    table.clear();
    for (int id = 1; id <= kSoundCount; ++id) {
      if (id == missing) continue;
      table.push_back(
          {0, "WAVE", static_cast<uint16_t>(id), nullptr, images[id].data(), images[id].size()});
    }
    setResourceTable(table.data(), table.size());
  }
  std::vector<const void*> played() const {
    std::vector<const void*> images;
    for (const RecordedSound& sound : recording->sounds) images.push_back(sound.image);
    return images;
  }

  std::vector<unsigned char> images[kSoundCount + 1];
  std::vector<EmbeddedResource> table;
};

TEST_F(SoundEffects, EachNumberPlaysItsOwnWave) {
  ASSERT_TRUE(loadSounds());
  EXPECT_NE(world.wavePlayer, nullptr);
  std::vector<const void*> expected;
  for (int id : {1, 2, 3, 4, 5, 6, 7, 8, 9, 2, 1}) {
    playSound(id);
    expected.push_back(images[id].data());
  }
  EXPECT_EQ(played(), expected);
}

TEST_F(SoundEffects, AMissingClipIsSilentWhileTheOthersPlay) {
  useTableWithout(5);
  ASSERT_TRUE(loadSounds());
  EXPECT_EQ(world.soundClips[5].resource, nullptr);
  EXPECT_EQ(world.soundClips[5].data, nullptr);
  playSound(5);
  playSound(6);
  EXPECT_EQ(played(), std::vector<const void*>{images[6].data()});
}

TEST_F(SoundEffects, AClipLoadedButNotLockedIsLockedWhenFirstPlayed) {
  ASSERT_TRUE(loadSounds());
  world.soundClips[3].data = nullptr;
  playSound(3);
  EXPECT_EQ(world.soundClips[3].data, images[3].data());
  EXPECT_EQ(played(), std::vector<const void*>{images[3].data()});
}

TEST_F(SoundEffects, ReleaseStopsThePlayingSoundThenEmptiesEveryClip) {
  ASSERT_TRUE(loadSounds());
  playSound(9);
  releaseSounds();
  EXPECT_EQ(played(), (std::vector<const void*>{images[9].data(), nullptr}));
  for (int id = 1; id <= kSoundCount; ++id) {
    EXPECT_EQ(world.soundClips[id].resource, nullptr) << id;
    EXPECT_EQ(world.soundClips[id].data, nullptr) << id;
  }
  playSound(9);  // nothing left to play
  EXPECT_EQ(played().size(), 2u);
}

TEST_F(SoundEffects, NosoundTouchesNothing) {
  ASSERT_TRUE(loadSounds());
  world.soundOff = true;
  SoundClip before = world.soundClips[4];
  for (int id = 1; id <= kSoundCount; ++id) playSound(id);
  releaseSounds();
  EXPECT_TRUE(recording->sounds.empty());
  EXPECT_EQ(world.soundClips[4].resource, before.resource);
  EXPECT_EQ(world.soundClips[4].data, before.data);
}

}  // namespace
