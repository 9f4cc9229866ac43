// Sound files come from anywhere: the walk of their chunks must never read outside the
// bytes, and what it reports must lie inside them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "files/wav_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const auto layout = revalorn::ParseWavLayout(bytes);
  if (layout && layout->hasData) {
    if (layout->dataOffset > size) std::abort();
    if (!layout->dataTruncated && layout->dataSize > size - layout->dataOffset) std::abort();
  }
  (void)revalorn::IsUsablePcmWav(bytes);
  return 0;
}
