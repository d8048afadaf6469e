// The nine sound effects, by the resource id of their wave. The ids never
// move; a new sound takes the next one (and kSoundCount, kClipOrder follow).
#pragma once

enum SoundId : int {
  SOUND_CRASH = 1,   // the player hits an obstacle
  SOUND_LAUNCH = 2,  // off a bump or a ramp, or bounced off a stone
  SOUND_DOG_BARK = 3,
  SOUND_LANDING = 4,  // back on the snow on its feet
  SOUND_BOARDER_JUMP = 5,
  SOUND_RACER_DOWN = 6,
  SOUND_MONSTER_CATCH = 7,
  SOUND_YELLOW_SNOW = 8,
  SOUND_MONSTER_CHASE = 9,
};
