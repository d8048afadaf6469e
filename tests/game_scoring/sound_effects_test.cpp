// Loading, playing and releasing the nine clips of the game's resources, as
// the headless desktop hears them.
#include <gtest/gtest.h>

#include <vector>

#include "platform/kernel/resource_table.h"
#include "platform/win32.h"
#include "scoring_world.h"
#include "sound/sound.h"

namespace {

class SoundEffects : public ScoringWorld {
 protected:
  void SetUp() override {
    ScoringWorld::SetUp();
    world.soundOff = false;
  }
  void TearDown() override {
    setResourceTable(nullptr, 0);
    ScoringWorld::TearDown();
  }
  // The game's own resources without one wave.
  void dropWave(int id) {
    table.clear();
    for (size_t i = 0; i < kEmbeddedResourceCount; ++i) {
      const EmbeddedResource& r = kEmbeddedResources[i];
      bool wave = r.typeName != nullptr && lstrcmpiA(r.typeName, "WAVE") == 0;
      if (!(wave && r.name == nullptr && r.id == id)) table.push_back(r);
    }
    setResourceTable(table.data(), table.size());
  }
  // Resource ids of the sounds played, 0 for a stop.
  std::vector<int> heard() const {
    std::vector<int> ids;
    for (const HeadlessSound& sound : sounds()) ids.push_back(sound.stop ? 0 : sound.resourceId);
    return ids;
  }

  std::vector<EmbeddedResource> table;
};

TEST_F(SoundEffects, EachNumberPlaysItsOwnWave) {
  ASSERT_TRUE(loadSounds());
  EXPECT_NE(world.wavePlayer, nullptr);
  std::vector<int> expected = {1, 2, 3, 4, 5, 6, 7, 8, 9, 2, 1};
  for (int id : expected) playSound(id);
  EXPECT_EQ(heard(), expected);
  // Each clip is a real mono 8-bit wave, about as long as its event wants.
  for (const HeadlessSound& sound : sounds()) {
    EXPECT_EQ(sound.format.channels, 1);
    EXPECT_EQ(sound.format.bitsPerSample, 8);
    EXPECT_GT(sound.bytes, 1000u) << "sound " << sound.resourceId;
  }
}

TEST_F(SoundEffects, AMissingClipIsSilentWhileTheOthersPlay) {
  dropWave(5);
  ASSERT_TRUE(loadSounds());
  EXPECT_EQ(world.soundClips[5].resource, nullptr);
  EXPECT_EQ(world.soundClips[5].data, nullptr);
  playSound(5);
  playSound(6);
  EXPECT_EQ(heard(), std::vector<int>{6});
}

TEST_F(SoundEffects, AClipLoadedButNotLockedIsLockedWhenFirstPlayed) {
  ASSERT_TRUE(loadSounds());
  const void* locked = world.soundClips[3].data;
  world.soundClips[3].data = nullptr;
  playSound(3);
  EXPECT_EQ(world.soundClips[3].data, locked);
  EXPECT_EQ(heard(), std::vector<int>{3});
}

TEST_F(SoundEffects, ReleaseStopsThePlayingSoundThenEmptiesEveryClip) {
  ASSERT_TRUE(loadSounds());
  playSound(9);
  releaseSounds();
  EXPECT_EQ(heard(), (std::vector<int>{9, 0}));
  for (int id = 1; id <= kSoundCount; ++id) {
    EXPECT_EQ(world.soundClips[id].resource, nullptr) << id;
    EXPECT_EQ(world.soundClips[id].data, nullptr) << id;
  }
  playSound(9);  // nothing left to play
  EXPECT_EQ(heard().size(), 2u);
}

TEST_F(SoundEffects, NosoundTouchesNothing) {
  ASSERT_TRUE(loadSounds());
  world.soundOff = true;
  SoundClip before = world.soundClips[4];
  for (int id = 1; id <= kSoundCount; ++id) playSound(id);
  releaseSounds();
  EXPECT_TRUE(sounds().empty());
  EXPECT_EQ(world.soundClips[4].resource, before.resource);
  EXPECT_EQ(world.soundClips[4].data, before.data);
}

TEST_F(SoundEffects, ABadSoundNumberIsReportedAndPlaysNothing) {
  ASSERT_TRUE(loadSounds());
  playSound(0);
  playSound(10);
  EXPECT_TRUE(sounds().empty());
  EXPECT_TRUE(anyAssertionShown());
}

}  // namespace
