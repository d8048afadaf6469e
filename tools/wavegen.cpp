// wavegen <out-dir>
// Writes the nine sound clips as 01.wav .. 09.wav, the same bytes every time.
#include <cstdio>
#include <string>

#include "lib/clips.h"
#include "lib/file_io.h"
#include "lib/wave_file.h"

int main(int argc, char** argv) {
  using namespace snowtools;
  if (argc != 2) {
    std::fprintf(stderr, "usage: wavegen <out-dir>\n");
    return 2;
  }
  try {
    for (int id = 1; id <= kSoundClipCount; ++id) {
      SoundClipData clip = synthesiseClip(id);
      char name[16];
      std::snprintf(name, sizeof name, "/%02d.wav", id);
      writeFile(std::string(argv[1]) + name, encodeWaveFile(clip.samples, clip.sampleRate));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wavegen: %s\n", e.what());
    return 1;
  }
  return 0;
}
