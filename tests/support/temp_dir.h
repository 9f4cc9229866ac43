#pragma once
// A real temporary folder for one test, removed with everything in it afterwards.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace revalorn::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder as the program's path text.
  std::string str() const;
  // path / relative as the program's path text.
  std::string Sub(std::string_view relative) const;

 private:
  std::filesystem::path path_;
};

// Small file utilities for tests.
void WriteTextFile(const std::filesystem::path& path, std::string_view text);
void WriteBinaryFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
std::string ReadTextFile(const std::filesystem::path& path);
std::vector<std::uint8_t> ReadBinaryFile(const std::filesystem::path& path);
// The names of the entries of a folder, sorted.
std::vector<std::string> ListFolder(const std::filesystem::path& folder);

}  // namespace revalorn::testing
