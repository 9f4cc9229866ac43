#pragma once
// The commands of revalorn-cli, the command-line companion of the desktop program.
// Each command takes its arguments (without the program and command names), writes to
// out and err, and returns the exit status: 0 success, 1 failure, 2 usage error.

#include <iosfwd>
#include <span>
#include <string_view>

namespace revalorn::cli {

using Args = std::span<const std::string_view>;

struct Command {
  std::string_view name;
  std::string_view usage;  // the arguments, for the usage text
  int (*run)(Args args, std::ostream& out, std::ostream& err);
};

// Every command, in the order the usage text lists them.
std::span<const Command> Commands();

// Runs argv as revalorn-cli would; the usage text goes to err on a usage error.
int RunCli(Args argv, std::ostream& out, std::ostream& err);

// catalogue: the engine-sound catalogue as tab-separated text.
int RunCatalogue(Args args, std::ostream& out, std::ostream& err);

// dat list ARCHIVE: the directory of a sound.dat archive, tab-separated, one row per
// entry in directory order. dat extract ARCHIVE NAME OUT: writes the data of the first
// usable entry named exactly NAME to OUT; nothing is written on failure.
int RunDat(Args args, std::ostream& out, std::ostream& err);
// exe identify|patch|unpatch EXE: a game executable's kind ("CODE NAME"), or the
// separate F2/F3 patch installed (patch) or removed (unpatch) with a one-time backup.
int RunExe(Args args, std::ostream& out, std::ostream& err);
// render WAV --maxfreq U [--speed P] [--volume V] --out OUT.wav: one Auto Play cycle of
// the file as the engine row's button plays it (rev limit U, speed slider P, default 98,
// volume slider V, default 0), rendered in virtual time and written as 16-bit PCM at the
// output rate, from the start of the sound to the end of its final stop. Fails with
// the sound output's message for a file it cannot play.
int RunRender(Args args, std::ostream& out, std::ostream& err);

}  // namespace revalorn::cli
