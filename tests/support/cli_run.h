#pragma once
// Runs revalorn-cli in-process with the given arguments (after the program name).

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace revalorn::testing {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

inline CliResult RunCliWith(const std::vector<std::string>& args) {
  std::vector<std::string_view> argv = {"revalorn-cli"};
  for (const auto& a : args) argv.push_back(a);
  std::ostringstream out, err;
  const int status = cli::RunCli(argv, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace revalorn::testing
