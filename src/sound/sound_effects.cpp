// The nine sound effects: wave resources played from memory on one channel,
// where a new sound cuts off the one playing.
#include <array>

#include "shell/shell.h"
#include "sound/sound.h"

namespace {

// Loading and releasing go through the clips in this order; every clip once
// (sized by its rows, so a missing one fails to compile).
constexpr std::array<SoundId, kSoundCount> kClipOrder = std::to_array<SoundId>(
    {SOUND_CRASH, SOUND_LAUNCH, SOUND_DOG_BARK, SOUND_LANDING, SOUND_BOARDER_JUMP, SOUND_RACER_DOWN,
     SOUND_MONSTER_CHASE, SOUND_MONSTER_CATCH, SOUND_YELLOW_SNOW});

}  // namespace

bool loadSounds() {
  world.wavePlayer = &sndPlaySoundA;
  if (world.wavePlayer == nullptr) return false;
  // A clip that fails stays empty and silent; the others still play.
  for (int id : kClipOrder) loadSoundClip(id, &world.soundClips[id]);
  return true;
}

bool loadSoundClip(int id, SoundClip* clip) {
  clip->resource = nullptr;
  clip->data = nullptr;
  HRSRC found = FindResourceA(world.appInstance, MAKEINTRESOURCEA(id), "WAVE");
  if (found == nullptr) return false;
  clip->resource = LoadResource(world.appInstance, found);
  if (clip->resource == nullptr) return false;
  clip->data = LockResource(clip->resource);
  return true;
}

void playSound(int id) {
  if (world.soundOff) return;
  if (!GAME_CHECK(id >= SOUND_CRASH && id <= kSoundCount)) return;
  SoundClip& clip = world.soundClips[id];
  if (clip.data == nullptr && clip.resource != nullptr) clip.data = LockResource(clip.resource);
  if (clip.data != nullptr && world.wavePlayer != nullptr)
    world.wavePlayer(static_cast<LPCSTR>(clip.data), SND_ASYNC | SND_MEMORY);
}

void releaseSounds() {
  if (world.soundOff) return;
  if (world.wavePlayer != nullptr) world.wavePlayer(nullptr, 0);
  for (int id : kClipOrder) releaseSoundClip(&world.soundClips[id]);
}

// Resource memory is never unlocked, only freed.
void releaseSoundClip(SoundClip* clip) {
  clip->data = nullptr;
  if (clip->resource != nullptr) {
    FreeResource(clip->resource);
    clip->resource = nullptr;
  }
}
