// revalorn-demo-game OUTDIR: writes a demo GPL folder at OUTDIR (see demo_game.h).
// Exit status 0 when written, 1 when it could not be (OUTDIR is not a new or empty
// folder, or a file could not be written), 2 for a wrong command line.
#include <cstdio>
#include <exception>

#include "tools/demo_game/demo_game.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: revalorn-demo-game OUTDIR\n");
    return 2;
  }
  try {
    revalorn::demo::WriteDemoGame(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "revalorn-demo-game: %s\n", e.what());
    return 1;
  }
  return 0;
}
