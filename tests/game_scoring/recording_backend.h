// A backend for the scoring tests: a clock that stands still, every message
// box answered OK at once, and every sound and box recorded in order.
#pragma once

#include <string>
#include <vector>

#include "platform/backend.h"

struct RecordedBox {
  std::string text;
  std::string caption;
  UINT type;
};

struct RecordedSound {
  const void* image;  // the RIFF image handed to sndPlaySoundA; null for a stop
};

struct Recording {
  std::vector<RecordedBox> boxes;
  std::vector<RecordedSound> sounds;
};

// Installs the recording backend and clears what it recorded.
Recording& installRecordingBackend();
