#include "tests/support/test_context.h"

#include <filesystem>

namespace revalorn::testing {

TestContext::TestContext() : ctx(prompts, clock, settings, sound) {
  BuildCatalogue(ctx.catalogue);
  std::filesystem::create_directories(dir.path() / "program");
  ctx.values.ProgramFolder = dir.Sub("program");
}

}  // namespace revalorn::testing
