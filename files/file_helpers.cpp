#include "files/file_helpers.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <limits>
#include <random>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace revalorn {

FileError::FileError(const std::string& what, std::string path, std::error_code code)
    : std::runtime_error(what + " \"" + path + "\"" + (code ? ": " + code.message() : "")),
      path_(std::move(path)),
      code_(code) {}

fs::path ToPath(std::string_view utf8) {
#ifdef _WIN32
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
#else
  return fs::path(std::string(utf8));
#endif
}

std::string FromPath(const fs::path& path) {
#ifdef _WIN32
  const std::u8string s = path.u8string();
  return std::string(s.begin(), s.end());
#else
  return path.string();
#endif
}

namespace {

bool IsSeparator(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/';
#else
  return c == '/';
#endif
}

}  // namespace

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string result(folder);
  if (result.empty() || !IsSeparator(result.back())) {
    result += kPathSeparator;
  }
  result += name;
  return result;
}

bool FileExists(std::string_view path) {
  if (path.empty() || IsSeparator(path.back())) {
    return false;
  }
  std::error_code ec;
  return fs::exists(ToPath(path), ec);
}

std::int32_t LoadFileBytes(ByteBuffer& fileBytes, std::string_view path) {
  const std::string p(path);
  std::ifstream in(ToPath(path), std::ios::binary);
  if (!in) {
    throw FileError("Cannot open", p, std::make_error_code(std::errc::no_such_file_or_directory));
  }
  in.seekg(0, std::ios::end);
  const std::streamoff length = in.tellg();
  if (length < 0) {
    throw FileError("Cannot read the length of", p);
  }
  if (length > std::numeric_limits<std::int32_t>::max()) {
    throw FileError("Too large to load (over 2 GB)", p, std::make_error_code(std::errc::file_too_large));
  }
  if (length == 0) {
    return 0;
  }
  in.seekg(0, std::ios::beg);
  ByteBuffer bytes(static_cast<std::size_t>(length));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(length));
  if (in.gcount() != static_cast<std::streamsize>(length)) {
    throw FileError("Cannot read", p, std::make_error_code(std::errc::io_error));
  }
  fileBytes.swap(bytes);
  return static_cast<std::int32_t>(length);
}

std::string WorkingCopyPath(std::string_view path) { return std::string(path) + ".tmp"; }

WorkingCopy::WorkingCopy(std::string originalPath)
    : original_(std::move(originalPath)), copy_(WorkingCopyPath(original_)) {
  // A leftover copy is replaced, even a read-only one; the new copy is always writable,
  // since the operations that use it may change it.
  std::error_code ec;
  fs::remove(ToPath(copy_), ec);
  ec.clear();
  fs::copy_file(ToPath(original_), ToPath(copy_), fs::copy_options::overwrite_existing, ec);
  if (ec) {
    DeleteFileQuietly(copy_);
    throw FileError("Cannot make a working copy of", original_, ec);
  }
  present_ = true;
  fs::permissions(ToPath(copy_), fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
}

WorkingCopy::~WorkingCopy() {
  if (present_) {
    DeleteFileQuietly(copy_);
  }
}

void WorkingCopy::ReplaceOriginal() {
  RenameOver(copy_, original_);
  present_ = false;
}

namespace {

// Flushes a written file to the disk, so that a rename after it never exposes an
// empty or partial file after a crash.
bool SyncFile(std::FILE* f) {
  if (std::fflush(f) != 0) {
    return false;
  }
#ifdef _WIN32
  return _commit(_fileno(f)) == 0;
#else
  return ::fsync(::fileno(f)) == 0;
#endif
}

void SyncFolder([[maybe_unused]] const fs::path& folder) {
#ifndef _WIN32
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
#endif
}

std::FILE* CreateExclusive(const fs::path& p) {
#ifdef _WIN32
  return _wfopen(p.c_str(), L"wbx");
#else
  return std::fopen(p.c_str(), "wbx");
#endif
}

std::error_code LastError() { return std::error_code(errno, std::generic_category()); }

}  // namespace

bool WriteFileAtomically(const fs::path& target, std::string_view bytes, std::error_code& ec) noexcept {
  ec.clear();
  try {
    const fs::path folder = target.parent_path();
    std::random_device rd;
    std::mt19937_64 rng((static_cast<std::uint64_t>(rd()) << 32) ^ rd());
    fs::path temp;
    std::FILE* f = nullptr;
    for (int attempt = 0; attempt < 100 && f == nullptr; ++attempt) {
      char suffix[20];
      std::snprintf(suffix, sizeof suffix, ".%08llx", static_cast<unsigned long long>(rng() & 0xffffffffULL));
      fs::path name = fs::path(".") += target.filename();
      name += fs::path(".rvtmp");
      name += fs::path(suffix);
      temp = folder / name;
      errno = 0;
      f = CreateExclusive(temp);
      if (f == nullptr && errno != EEXIST) {
        ec = LastError();
        if (!ec) ec = std::make_error_code(std::errc::io_error);
        return false;
      }
    }
    if (f == nullptr) {
      ec = std::make_error_code(std::errc::file_exists);
      return false;
    }
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (ok) {
      ok = SyncFile(f);
    }
    if (!ok) {
      ec = LastError();
    }
    if (std::fclose(f) != 0 && ok) {
      ok = false;
      ec = LastError();
    }
    if (!ok) {
      if (!ec) ec = std::make_error_code(std::errc::io_error);
      std::error_code ignored;
      fs::remove(temp, ignored);
      return false;
    }
    // An existing target keeps its permissions.
    std::error_code statusError;
    const fs::file_status status = fs::status(target, statusError);
    if (!statusError && fs::exists(status)) {
      std::error_code ignored;
      fs::permissions(temp, status.permissions(), fs::perm_options::replace, ignored);
    }
    fs::rename(temp, target, ec);
    if (ec) {
      std::error_code ignored;
      fs::remove(temp, ignored);
      return false;
    }
    SyncFolder(folder);
    return true;
  } catch (const std::exception&) {
    if (!ec) ec = std::make_error_code(std::errc::not_enough_memory);
    return false;
  }
}

void WriteFileAtomically(std::string_view target, std::span<const std::uint8_t> bytes) {
  std::error_code ec;
  const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!WriteFileAtomically(ToPath(target), view, ec)) {
    throw FileError("Cannot write", std::string(target), ec);
  }
}

void CopyFileAtomically(std::string_view source, std::string_view target) {
  ByteBuffer bytes;
  LoadFileBytes(bytes, source);  // a 0-byte source leaves bytes empty
  WriteFileAtomically(target, bytes);
}

void RenameOver(std::string_view from, std::string_view to) {
  std::error_code ec;
  fs::rename(ToPath(from), ToPath(to), ec);
  if (ec) {
    throw FileError("Cannot replace", std::string(to), ec);
  }
}

bool DeleteFileQuietly(std::string_view path) noexcept {
  try {
    std::error_code ec;
    fs::remove(ToPath(path), ec);
    return !ec;
  } catch (const std::exception&) {
    return false;
  }
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) {
    return false;
  }
  auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::string FindEntryIgnoringCase(std::string_view folder, std::string_view name) {
  const std::string asGiven = JoinPath(folder, name);
  std::error_code ec;
  if (fs::exists(fs::symlink_status(ToPath(asGiven), ec))) {
    return asGiven;
  }
  std::string best;
  fs::directory_iterator it(ToPath(folder), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string entry = FromPath(it->path().filename());
    if (EqualsIgnoringAsciiCase(entry, name) && (best.empty() || entry < best)) {
      best = entry;
    }
  }
  return best.empty() ? asGiven : JoinPath(folder, best);
}

std::string ProgramFolderOfExecutable() {
#ifdef _WIN32
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return FromPath(fs::current_path());
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  return FromPath(fs::path(buffer).parent_path());
#else
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) {
    return FromPath(fs::current_path(ec));
  }
  return FromPath(exe.parent_path());
#endif
}

}  // namespace revalorn
