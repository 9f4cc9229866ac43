#pragma once
// File helpers shared by every module that looks at files on disk: the existence
// test, the whole-file load into the shared byte buffer, the ".tmp" working-copy
// convention, safe replacement of files, and the Windows-like name lookup in the
// game's own folders.
//
// Paths are UTF-8 text held without a trailing separator (except at a root) and joined
// with JoinPath, which uses the platform's separator.

#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace revalorn {

using ByteBuffer = std::vector<std::uint8_t>;

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// A file operation that failed. what() names the operation and the path.
class FileError : public std::runtime_error {
 public:
  FileError(const std::string& what, std::string path, std::error_code code = {});
  const std::string& path() const noexcept { return path_; }
  std::error_code code() const noexcept { return code_; }

 private:
  std::string path_;
  std::error_code code_;
};

// Conversions between the program's UTF-8 path text and the platform's path type.
std::filesystem::path ToPath(std::string_view utf8);
std::string FromPath(const std::filesystem::path& path);

// folder + separator + name; no doubled separator when folder already ends in one
// (a root such as "/" or "C:\").
std::string JoinPath(std::string_view folder, std::string_view name);

// True when the path names an existing file or folder. An empty path, and a path that
// ends in a separator (a folder followed by an empty file name), are False. Never fails.
bool FileExists(std::string_view path);

// Loads the whole file into fileBytes and returns its length. A file of 0 bytes
// returns 0 and leaves fileBytes as it was; a failed read leaves it as it was too.
// Throws FileError when the file cannot be opened or read, or when it is too large
// for the 32-bit length (it is refused, not truncated).
std::int32_t LoadFileBytes(ByteBuffer& fileBytes, std::string_view path);

// The working copy of a file that is read whole or changed: the same path + ".tmp".
std::string WorkingCopyPath(std::string_view path);

// A working copy for the length of one operation: the constructor copies the file to
// path + ".tmp" (replacing a file of that name) and the destructor deletes the copy.
class WorkingCopy {
 public:
  // Throws FileError when the copy cannot be made.
  explicit WorkingCopy(std::string originalPath);
  ~WorkingCopy();
  WorkingCopy(const WorkingCopy&) = delete;
  WorkingCopy& operator=(const WorkingCopy&) = delete;

  const std::string& OriginalPath() const { return original_; }
  const std::string& Path() const { return copy_; }

  // Renames the working copy over the original: the original is either left whole or
  // replaced whole. Afterwards there is no copy left to delete. Throws FileError.
  void ReplaceOriginal();

 private:
  std::string original_;
  std::string copy_;
  bool present_ = false;
};

// Writes bytes as the whole new content of target: a temporary file in the target's
// folder is written, flushed to disk and renamed over the target, so that readers see
// either the old file or the new one, never a mix. An existing target keeps its
// permissions. Throws FileError; on failure the target is unchanged and no temporary
// file is left behind.
void WriteFileAtomically(std::string_view target, std::span<const std::uint8_t> bytes);
// The same, reporting a failure through ec instead of an exception.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         std::error_code& ec) noexcept;

// Copies source over target with WriteFileAtomically. Throws FileError.
void CopyFileAtomically(std::string_view source, std::string_view target);

// Renames from over to, replacing to whole. Throws FileError.
void RenameOver(std::string_view from, std::string_view to);

// Deletes a file; a missing file is not an error. Returns false on any other failure.
bool DeleteFileQuietly(std::string_view path) noexcept;

// The path of the entry called name in folder, found the way Windows finds it: the
// exact name when it exists, else the entry whose name matches ignoring ASCII letter
// case (the first in byte order when several do), else folder + name as given. Game
// folders come from Windows, where "Repco.wav" and "repco.wav" are the same file.
std::string FindEntryIgnoringCase(std::string_view folder, std::string_view name);

// True when a and b are equal ignoring the case of ASCII letters.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept;

// The folder of the running executable.
std::string ProgramFolderOfExecutable();

}  // namespace revalorn
