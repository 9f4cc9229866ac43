#include <exception>
#include <ostream>
#include <string>

#include "cli/commands.h"
#include "files/file_helpers.h"
#include "sounddat/sound_dat.h"

namespace revalorn::cli {

namespace {

// Reads the archive straight from its file: these commands only look at it, so they
// leave no working copy beside it. Prints the reason and returns false on failure.
bool LoadArchive(std::string_view path, ByteBuffer& bytes, std::ostream& err) {
  try {
    LoadFileBytes(bytes, path);  // a 0-byte archive leaves bytes empty: no entries
    return true;
  } catch (const std::exception& e) {
    err << "revalorn-cli: cannot read the archive: " << e.what() << '\n';
    return false;
  }
}

int RunDatList(Args args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) return 2;
  ByteBuffer archive;
  if (!LoadArchive(args[0], archive, err)) return 1;
  out << "index\tname\tsize\toffset\n";
  for (const DatEntry& e : ReadDatDirectory(archive)) {
    out << e.index << '\t' << e.name << '\t' << e.size << '\t' << e.offset << '\n';
  }
  return 0;
}

int RunDatExtract(Args args, std::ostream& /*out*/, std::ostream& err) {
  if (args.size() != 3) return 2;
  ByteBuffer archive;
  if (!LoadArchive(args[0], archive, err)) return 1;
  const auto entry = FindDatEntry(archive, args[1]);
  if (!entry) {
    err << "revalorn-cli: the archive has no usable entry named \"" << args[1] << "\"\n";
    return 1;
  }
  try {
    WriteFileAtomically(args[2], DatEntryData(archive, *entry));
  } catch (const std::exception& e) {
    err << "revalorn-cli: " << e.what() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace

int RunDat(Args args, std::ostream& out, std::ostream& err) {
  if (!args.empty() && args[0] == "list") return RunDatList(args.subspan(1), out, err);
  if (!args.empty() && args[0] == "extract") return RunDatExtract(args.subspan(1), out, err);
  return 2;
}

}  // namespace revalorn::cli
