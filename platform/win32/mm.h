// Multimedia: wave playback from memory through the backend's one sound
// channel. On Windows the real <mmsystem.h> is used instead of this header.
#pragma once

#include "platform/win32/types.h"

#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_MEMORY 0x0004
#define SND_LOOP 0x0008
#define SND_NOSTOP 0x0010

// sndPlaySoundA(image, SND_ASYNC | SND_MEMORY) plays a RIFF/WAVE PCM image
// held in memory (which must stay valid while it plays) and returns at once; a
// new sound cuts off the one playing. sndPlaySoundA(NULL, 0) stops the sound.
// TRUE on success, FALSE for an image that is not sound PCM.
//
// The layer's limits, all harmless to the game: there are no sound files or
// system sounds, so a call without SND_MEMORY returns FALSE; SND_SYNC plays
// asynchronously too (nothing waits on a real clock); SND_LOOP is refused
// (FALSE); and as the backend cannot tell whether a sound is still playing,
// SND_NOSTOP is taken as "nothing is playing" and the sound starts.
BOOL WINAPI sndPlaySoundA(LPCSTR sound, UINT flags);
