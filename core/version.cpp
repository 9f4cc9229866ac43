#include "core/version.h"

#include "core/version_info.h"

namespace revalorn {

ProgramVersion CurrentProgramVersion() { return {kVersionMajor, kVersionMinor, kVersionRevision}; }

std::string CompanyName() { return kCompanyName; }

std::string VersionText(const ProgramVersion& v) {
  return "v" + std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.revision);
}

std::string VersionKey(const std::string& versionText) { return versionText.substr(0, 4); }

}  // namespace revalorn
