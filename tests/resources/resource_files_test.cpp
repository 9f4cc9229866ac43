// The program's own resource files as they are committed. The help text: its form
// (plain ASCII with CRLF line breaks, a title line with the program's version,
// capitalised section headings) and the sections a player looks for. The built-in
// start-up sound: a complete 8-bit mono 22050 Hz PCM WAV of about two seconds, and
// what the generator makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "core/version.h"
#include "files/wav_header.h"
#include "tools/startup_sound/startup_sound.h"

namespace revalorn {
namespace {

class HelpText : public ::testing::Test {
 protected:
  HelpText() {
    std::ifstream in(REVALORN_RESOURCES_DIR "/help.txt", std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
      lines.push_back(text.substr(start, at - start));
    }
    lines.push_back(text.substr(start));
  }
  std::string text;
  std::vector<std::string> lines;
};

TEST_F(HelpText, IsPlainAsciiWithCrLfLineBreaksOfAbout18KbUnderATitleCreditsAndDate) {
  EXPECT_GT(text.size(), 16000u);
  EXPECT_LT(text.size(), 20000u);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    ASSERT_TRUE(c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7f)) << "byte " << i;
    ASSERT_EQ(c == '\r', i + 1 < text.size() && text[i + 1] == '\n') << "lone CR or LF at byte " << i;
  }
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Revalorn " + VersionText(CurrentProgramVersion()));
  EXPECT_NE(lines[1].find("Written by"), std::string::npos) << lines[1];
  EXPECT_TRUE(std::regex_search(lines[2], std::regex("(19|20)[0-9][0-9]"))) << lines[2];
}

TEST_F(HelpText, HasEverySectionAPlayerLooksForAndTheVersionHistoryLast) {
  std::vector<std::string> headings;
  std::copy_if(lines.begin(), lines.end(), std::back_inserter(headings),
               [](const std::string& l) { return std::regex_match(l, std::regex("[A-Z][A-Z .,'-]*[A-Z][:?]")); });
  for (const char* heading : {"WHAT IS REVALORN?", "INSTALLATION:", "HOW DOES GPL USE ENGINE SOUNDS?",
                              "HOW DOES REVALORN WORK?", "OPERATING INSTRUCTIONS:", "THE BUTTONS AND MENUS:",
                              "UNINSTALLING:", "ACKNOWLEDGMENT:", "WHERE DO I SEND REPORTS?"}) {
    EXPECT_NE(std::find(headings.begin(), headings.end(), heading), headings.end()) << heading;
  }
  ASSERT_FALSE(headings.empty());
  ASSERT_EQ(headings.back(), "VERSION HISTORY:");
  // The current release comes first.
  const auto history = std::find(lines.begin(), lines.end(), "VERSION HISTORY:");
  const auto entry = std::find_if(history + 1, lines.end(), [](const std::string& l) { return !l.empty(); });
  ASSERT_NE(entry, lines.end());
  EXPECT_EQ(entry->rfind(VersionText(CurrentProgramVersion()) + " ", 0), 0u) << *entry;

  const std::string section = text.substr(text.find("OPERATING INSTRUCTIONS:"));
  EXPECT_TRUE(std::regex_search(section, std::regex("\r\n[0-9]+\\. +Patching the executable")));
}

TEST_F(HelpText, DescribesWhereThisProgramKeepsThingsAndNeverTheDocumentsBehindIt) {
  for (const char* fact : {"~/.config/Quillmoor/Revalorn.conf", "HKEY_LOCAL_MACHINE\\Software\\Quillmoor\\Revalorn",
                           "\"Working Folder\"", "\"Sound Sets\"", "StartupSound.wav", "Esc", "./scripts/run",
                           "cmake --install", "sound.dat", ".rvlrn"}) {
    EXPECT_NE(text.find(fact), std::string::npos) << fact;
  }
  const std::regex forbidden(R"(\bspec(s|ification)?\b|\bpart [1-6]\.[1-5]\b)", std::regex::icase);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_FALSE(std::regex_search(lines[i], forbidden)) << "line " << i + 1 << ": " << lines[i];
  }
}

std::vector<std::uint8_t> ReadCommittedSound() {
  std::ifstream in(REVALORN_RESOURCES_DIR "/startup.wav", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(StartupSound, IsACompleteEightBitMonoPcmWavOfAboutTwoSecondsQuietAtBothEnds) {
  const auto bytes = ReadCommittedSound();
  const auto layout = ParseWavLayout(bytes);
  ASSERT_TRUE(layout && layout->format && layout->hasData);
  EXPECT_EQ(layout->dataOffset + layout->dataSize + (layout->dataSize & 1), bytes.size()) << "nothing cut off or after";
  EXPECT_EQ(static_cast<std::size_t>(bytes[4] | bytes[5] << 8 | bytes[6] << 16 | bytes[7] << 24) + 8, bytes.size());
  EXPECT_EQ(layout->format->formatTag, kWaveFormatPcm);
  EXPECT_EQ(layout->format->channels, 1);
  EXPECT_EQ(layout->format->sampleRate, 22050u);
  EXPECT_EQ(layout->format->bitsPerSample, 8);
  EXPECT_EQ(layout->format->byteRate, 22050u);
  EXPECT_NEAR(layout->dataSize / 22050.0, 2.0, 0.3);
  EXPECT_TRUE(IsUsablePcmWav(bytes));

  // 8-bit samples are unsigned around 128: no click at either end.
  const std::size_t begin = layout->dataOffset, end = begin + layout->dataSize;
  EXPECT_LE(std::abs(bytes[begin] - 128), 8);
  for (std::size_t i = end - 40; i < end; ++i) EXPECT_LE(std::abs(bytes[i] - 128), 3) << i - begin;
  int loudest = 0;
  for (std::size_t i = begin; i < end; ++i) loudest = std::max(loudest, std::abs(bytes[i] - 128));
  EXPECT_GT(loudest, 90);
}

TEST(StartupSound, CommittedFileIsWhatTheGeneratorMakes) {
  // Within one step of 8-bit rounding: floating point may differ in the last bit
  // between builds, the sound may not.
  const auto committed = ReadCommittedSound();
  const auto fresh = tools::StartupSoundWav();
  ASSERT_EQ(committed.size(), fresh.size());
  for (std::size_t i = 0; i < 44; ++i) ASSERT_EQ(committed[i], fresh[i]) << "header byte " << i;
  int differing = 0;
  for (std::size_t i = 44; i < fresh.size(); ++i) {
    ASSERT_LE(std::abs(committed[i] - fresh[i]), 1) << "sample " << i - 44;
    differing += committed[i] != fresh[i];
  }
  EXPECT_LT(differing, 50);
}

}  // namespace
}  // namespace revalorn
