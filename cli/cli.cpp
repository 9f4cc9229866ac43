#include <array>
#include <ostream>

#include "cli/commands.h"

namespace revalorn::cli {

namespace {

constexpr std::array kCommands = {
    Command{"catalogue", "", &RunCatalogue},
    Command{"dat", "list ARCHIVE | extract ARCHIVE NAME OUT", &RunDat},
    Command{"exe", "identify|patch|unpatch EXE", &RunExe},
    Command{"render", "WAV --maxfreq U [--speed P] [--volume V] --out OUT.wav", &RunRender},
};

void PrintUsage(std::ostream& err) {
  err << "usage:";
  bool first = true;
  for (const Command& c : kCommands) {
    err << (first ? " " : "\n       ") << "revalorn-cli " << c.name;
    if (!c.usage.empty()) err << ' ' << c.usage;
    first = false;
  }
  err << '\n';
}

}  // namespace

std::span<const Command> Commands() { return kCommands; }

int RunCli(Args argv, std::ostream& out, std::ostream& err) {
  if (argv.size() >= 2) {
    for (const Command& c : kCommands) {
      if (argv[1] == c.name) {
        const int status = c.run(argv.subspan(2), out, err);
        if (status == 2) PrintUsage(err);
        return status;
      }
    }
  }
  PrintUsage(err);
  return 2;
}

}  // namespace revalorn::cli
