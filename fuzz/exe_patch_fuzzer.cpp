// Game executables come from anywhere: classifying and converting arbitrary bytes must
// never read or write outside them. A conversion that reports success leaves the
// target's name strings after the first marker, so the image then classifies as the
// target kind, or as a lower kind whose pattern also follows the marker; a refused
// conversion changes nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "patching/executable_kind.h"
#include "patching/sound_patch.h"

using revalorn::ExecutableKind;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  revalorn::Globals values;
  values.FileBytes.assign(data, data + size);
  (void)revalorn::ClassifyFileBytes(values);

  for (int code = -1; code <= 8; ++code) {
    const auto target = static_cast<ExecutableKind>(code);
    values.FileBytes.assign(data, data + size);
    const bool converted = revalorn::ConvertFileBytes(values, target);
    if (values.FileBytes.size() != size) std::abort();
    if (!converted) {
      if (!std::equal(values.FileBytes.begin(), values.FileBytes.end(), data)) std::abort();
      continue;
    }
    if (!revalorn::IsPatchTarget(target)) std::abort();
    const ExecutableKind now = revalorn::ClassifyFileBytes(values);
    if (now == ExecutableKind::Unrecognised || revalorn::KindCode(now) > code) std::abort();
  }
  return 0;
}
