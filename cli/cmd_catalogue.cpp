#include <ostream>

#include "catalogue/catalogue.h"
#include "cli/commands.h"

namespace revalorn::cli {

// One row per version code 0..5 and per slot in the version's slot order; the team
// folder is empty for the trainer slots.
int RunCatalogue(Args args, std::ostream& out, std::ostream& /*err*/) {
  if (!args.empty()) return 2;
  Catalogue catalogue;
  BuildCatalogue(catalogue);
  out << "code\tversion\tslot\tfile\tlabel\tmaxfreq\tteamfolder\n";
  for (int v = 0; v < kVersionCount; ++v) {
    for (const std::int16_t s : VersionSlots(catalogue, v)) {
      out << v << '\t' << catalogue.VersionName(v) << '\t' << s << '\t' << catalogue.SoundFileName(v, s) << '\t'
          << catalogue.CarLabel(v, s) << '\t' << catalogue.MaxFreq(v, s) << '\t' << catalogue.TeamFolder(v, s)
          << '\n';
    }
  }
  return 0;
}

}  // namespace revalorn::cli
