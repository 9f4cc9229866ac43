#pragma once
// The program's version, as it is shown and stored.

#include <string>

namespace revalorn {

struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;
};

// The version this program was built as.
ProgramVersion CurrentProgramVersion();
// The company name of the version information, shown by About.
std::string CompanyName();

// "v" + major + "." + minor + "." + revision, plain decimal: "v1.2.3".
std::string VersionText(const ProgramVersion& v);
// The first 4 characters of a version text; only texts with different keys count as a
// major update ("v1.10.0" and "v1.1.0" share the key "v1.1").
std::string VersionKey(const std::string& versionText);

}  // namespace revalorn
