// revalorn-startup-sound OUT.wav: writes the program's built-in start-up sound.
#include <cstdio>
#include <exception>

#include "files/file_helpers.h"
#include "tools/startup_sound/startup_sound.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: revalorn-startup-sound OUT.wav\n");
    return 2;
  }
  try {
    const auto bytes = revalorn::tools::StartupSoundWav();
    revalorn::WriteFileAtomically(argv[1], bytes);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
