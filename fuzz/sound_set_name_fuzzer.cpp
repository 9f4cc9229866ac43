// Sound-set names are typed by the player: a name that is accepted must always be one
// folder directly inside the sets folder, whatever bytes it holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "files/file_helpers.h"
#include "soundfiles/sound_sets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view name(reinterpret_cast<const char*>(data), size);
  if (revalorn::SoundSetNameProblem(name)) return 0;
  if (name.empty() || name == "." || name == "..") std::abort();
  if (name.find_first_of("/\\:") != std::string_view::npos) std::abort();
  const std::filesystem::path joined = revalorn::ToPath(revalorn::JoinPath("sets", name));
  if (joined.parent_path() != "sets" || revalorn::FromPath(joined.filename()) != name) std::abort();
  return 0;
}
