// The help text as the program carries it: its form (plain ASCII with CRLF line
// breaks, a title line with the program's version, capitalised section headings) and
// the sections a player looks for.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "core/version.h"

namespace revalorn {
namespace {

std::string ReadHelpText() {
  std::ifstream in(REVALORN_RESOURCES_DIR "/help.txt", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

bool IsHeading(const std::string& line) {
  static const std::regex heading("[A-Z][A-Z .,'-]*[A-Z][:?]");
  return std::regex_match(line, heading);
}

TEST(HelpText, IsPlainAsciiWithCrLfLineBreaksOfAbout18Kb) {
  const std::string text = ReadHelpText();
  EXPECT_GT(text.size(), 16000u);
  EXPECT_LT(text.size(), 20000u);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    ASSERT_TRUE(c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7f)) << "byte " << i;
    if (c == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare line feed at byte " << i;
    }
    if (c == '\r') {
      ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare carriage return at byte " << i;
    }
  }
}

TEST(HelpText, OpensWithTheProgramsNameAndVersionACreditsLineAndADate) {
  const auto lines = Lines(ReadHelpText());
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Revalorn " + VersionText(CurrentProgramVersion()));
  EXPECT_NE(lines[1].find("Written by"), std::string::npos) << lines[1];
  EXPECT_TRUE(std::regex_search(lines[2], std::regex("(19|20)[0-9][0-9]"))) << lines[2];
}

TEST(HelpText, HasEverySectionAPlayerLooksFor) {
  const auto lines = Lines(ReadHelpText());
  std::vector<std::string> headings;
  for (const auto& line : lines) {
    if (IsHeading(line)) headings.push_back(line);
  }
  const char* const wanted[] = {"WHAT IS REVALORN?",        "INSTALLATION:",          "HOW DOES GPL USE ENGINE SOUNDS?",
                                "HOW DOES REVALORN WORK?",  "OPERATING INSTRUCTIONS:", "THE BUTTONS AND MENUS:",
                                "UNINSTALLING:",            "ACKNOWLEDGMENT:",        "WHERE DO I SEND REPORTS?",
                                "VERSION HISTORY:"};
  for (const char* heading : wanted) {
    EXPECT_NE(std::find(headings.begin(), headings.end(), heading), headings.end()) << heading;
  }
  // The version history closes the text.
  ASSERT_FALSE(headings.empty());
  EXPECT_EQ(headings.back(), "VERSION HISTORY:");
}

TEST(HelpText, OperatingInstructionsHaveANumberedItemOnPatchingTheExecutable) {
  const std::string text = ReadHelpText();
  const auto from = text.find("OPERATING INSTRUCTIONS:");
  const auto to = text.find("THE BUTTONS AND MENUS:");
  ASSERT_NE(from, std::string::npos);
  ASSERT_NE(to, std::string::npos);
  const std::string section = text.substr(from, to - from);
  EXPECT_TRUE(std::regex_search(section, std::regex("\r\n[0-9]+\\. +Patching the executable")));
  const std::string flat = std::regex_replace(section, std::regex("\\s+"), " ");
  EXPECT_NE(flat.find("Patches, \"Patch Executable\""), std::string::npos);
  EXPECT_NE(section.find(".rvlrn"), std::string::npos);
}

TEST(HelpText, VersionHistoryListsTheCurrentReleaseFirst) {
  const auto lines = Lines(ReadHelpText());
  const auto heading = std::find(lines.begin(), lines.end(), "VERSION HISTORY:");
  ASSERT_NE(heading, lines.end());
  auto entry = std::find_if(heading + 1, lines.end(), [](const std::string& l) { return !l.empty(); });
  ASSERT_NE(entry, lines.end());
  EXPECT_EQ(entry->rfind(VersionText(CurrentProgramVersion()) + " ", 0), 0u) << *entry;
}

TEST(HelpText, DescribesWhereThisProgramKeepsThings) {
  const std::string text = ReadHelpText();
  for (const char* fact : {"~/.config/Quillmoor/Revalorn.conf", "HKEY_LOCAL_MACHINE\\Software\\Quillmoor\\Revalorn",
                           "\"Working Folder\"", "\"Sound Sets\"", "StartupSound.wav", "Esc", "./scripts/run",
                           "cmake --install", "sound.dat"}) {
    EXPECT_NE(text.find(fact), std::string::npos) << fact;
  }
}

TEST(HelpText, NeverTalksAboutTheDocumentsBehindTheProgram) {
  const std::regex forbidden(R"(\bspec(s|ification)?\b|\bpart [1-6]\.[1-5]\b)", std::regex::icase);
  const auto lines = Lines(ReadHelpText());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_FALSE(std::regex_search(lines[i], forbidden)) << "line " << i + 1 << ": " << lines[i];
  }
}

}  // namespace
}  // namespace revalorn
