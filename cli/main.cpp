// revalorn-cli: the command-line companion of the desktop program.
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv, argv + argc);
  return revalorn::cli::RunCli(args, std::cout, std::cerr);
}
