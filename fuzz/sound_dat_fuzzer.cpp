// sound.dat archives come from the player's game folder: walking the directory and
// taking out every listed entry must never read outside the bytes, and what the reader
// hands back must agree with its own directory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "sounddat/sound_dat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace revalorn;
  const std::span<const std::uint8_t> bytes(data, size);
  const auto directory = ReadDatDirectory(bytes);
  const std::size_t whole = size >= kDatHeaderSize ? (size - kDatHeaderSize) / kDatEntrySize : 0;
  if (directory.size() > whole) std::abort();

  for (const DatEntry& e : directory) {
    if (e.name.size() > kDatNameLength) std::abort();
    const auto d = DatEntryData(bytes, e);
    if (e.usable == d.empty()) std::abort();
    if (!d.empty() && (d.data() < data || d.size() > size || d.data() + d.size() > data + size)) std::abort();

    const auto found = FindDatEntry(bytes, e.name);
    if (e.usable && !found) std::abort();  // a usable entry of that name is there
    if (found) {
      if (!found->usable || found->name != e.name) std::abort();
      if (e.usable && found->index > e.index) std::abort();  // the first usable one wins
      const auto fd = DatEntryData(bytes, *found);
      if (fd.empty() || fd.data() + fd.size() > data + size) std::abort();
    }
  }
  // The plain readers at and past the end.
  for (std::size_t p = size >= 16 ? size - 16 : 0; p <= size + 1; ++p) {
    (void)ReadInt16At(bytes, p);
    (void)ReadInt32At(bytes, p);
    if (ReadNameAt(bytes, p, kDatNameLength).size() > kDatNameLength) std::abort();
  }
  return 0;
}
