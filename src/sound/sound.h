// The nine sound effects and their playback.
#pragma once

#include "shell/world_state.h"

bool loadSounds();
bool loadSoundClip(int id, SoundClip* clip);
void playSound(int id);
void releaseSounds();
void releaseSoundClip(SoundClip* clip);
