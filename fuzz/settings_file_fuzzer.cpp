// The settings file may be damaged or edited by hand: whatever it holds, parsing must
// neither crash nor read out of bounds, and what parses must format back to the same
// values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto parsed = revalorn::settings_file::Parse(text);
  if (parsed) {
    const auto again = revalorn::settings_file::Parse(revalorn::settings_file::Format(*parsed));
    if (!again || *again != *parsed) std::abort();
  }
  return 0;
}
