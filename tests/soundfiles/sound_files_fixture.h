#pragma once
// A program folder with a game installed beside it, "GPL/sound", holding a distinct
// loose sound for every file of the 1967 versions, and a folder of candidate sounds.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/test_context.h"

namespace revalorn::testing {

using Bytes = std::vector<std::uint8_t>;

// A 16-bit mono engine loop at rate; seed makes it differ from the others.
Bytes Sound(std::int32_t rate, int seed);

struct Game : TestContext {
  explicit Game(int version = kVersionOriginal1967);

  void PickVersion(int version);
  void PickEngine(int index);
  // Writes a candidate sound and loads it through the replacement finder as class
  // button `button`.
  void LoadReplacement(const std::string& file, const Bytes& bytes, int button = 0);
  // Selects list entry index and answers `answer` to the Replace question.
  void ReplaceEntry(int index, MsgResult answer = MsgResult::Yes);
  // Save Sound Set with the name typed in; Load Sound Set choosing the folder.
  void SaveSet(const std::string& name);
  void LoadSet(const std::filesystem::path& folder);
  // The sound sets folder beside the program.
  std::filesystem::path Sets() const { return dir.path() / "program" / "Sound Sets"; }

  std::filesystem::path Working(const std::string& name = {}) const;
  std::filesystem::path GameSound(const std::string& name = {}) const;
  Bytes WorkingBytes(const std::string& name) const;
  Bytes GameBytes(const std::string& name) const;
  // The version's distinct file names.
  std::vector<std::string> VersionFiles() const;

  std::filesystem::path candidates;
};

}  // namespace revalorn::testing
