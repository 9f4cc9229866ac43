#include "settings/settings_store.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "files/file_helpers.h"

namespace fs = std::filesystem;

namespace revalorn {

std::string GetRegValue(SettingsBackend& store, std::string_view valueName, std::string_view defaultText) {
  std::optional<std::string> value = store.Read(valueName);
  return value ? std::move(*value) : std::string(defaultText);
}

bool SetRegValue(SettingsBackend& store, std::string_view valueName, std::string_view text) {
  return store.Write(valueName, text);
}

bool DeleteRegKey(SettingsBackend& store) { return store.DeleteKey(); }

// ---------------------------------------------------------------------------------------

std::optional<std::string> MemorySettingsBackend::Read(std::string_view valueName) {
  const auto it = values.find(valueName);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

bool MemorySettingsBackend::Write(std::string_view valueName, std::string_view text) {
  if (failWrites) return false;
  values.insert_or_assign(std::string(valueName), std::string(text));
  return true;
}

bool MemorySettingsBackend::DeleteKey() {
  if (failWrites) return false;
  values.clear();
  return true;
}

// ---------------------------------------------------------------------------------------
// The settings file: a comment line, then one "name=value" line per value. In values a
// backslash starts an escape: "\\" backslash, "\n" line feed, "\r" carriage return,
// "\0" NUL. Names are non-empty and hold no "=", line break, NUL or backslash.

namespace settings_file {

namespace {

bool ValidName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    if (c == '=' || c == '\n' || c == '\r' || c == '\0' || c == '\\') return false;
  }
  return true;
}

}  // namespace

bool ValidNameForWrite(std::string_view name) { return ValidName(name); }

std::optional<std::map<std::string, std::string, std::less<>>> Parse(std::string_view text) {
  std::map<std::string, std::string, std::less<>> values;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    const std::string_view name = line.substr(0, eq);
    if (!ValidName(name)) return std::nullopt;
    std::string value;
    for (std::size_t i = eq + 1; i < line.size(); ++i) {
      const char c = line[i];
      if (c == '\0' || c == '\r') return std::nullopt;
      if (c != '\\') {
        value += c;
        continue;
      }
      if (++i == line.size()) return std::nullopt;
      switch (line[i]) {
        case '\\': value += '\\'; break;
        case 'n': value += '\n'; break;
        case 'r': value += '\r'; break;
        case '0': value += '\0'; break;
        default: return std::nullopt;
      }
    }
    if (!values.emplace(std::string(name), std::move(value)).second) return std::nullopt;
  }
  return values;
}

std::string Format(const std::map<std::string, std::string, std::less<>>& values) {
  std::string out = "# Revalorn settings (HKEY_LOCAL_MACHINE\\Software\\Quillmoor\\Revalorn)\n";
  for (const auto& [name, value] : values) {
    out += name;
    out += '=';
    for (char c : value) {
      switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\0': out += "\\0"; break;
        default: out += c;
      }
    }
    out += '\n';
  }
  return out;
}

}  // namespace settings_file

// ---------------------------------------------------------------------------------------

namespace {

enum class LoadResult { Loaded, Missing, Unreadable };

LoadResult LoadValues(const fs::path& file, std::map<std::string, std::string, std::less<>>& values) {
  values.clear();
  std::error_code ec;
  if (!fs::exists(file, ec)) {
    return ec ? LoadResult::Unreadable : LoadResult::Missing;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) return LoadResult::Unreadable;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return LoadResult::Unreadable;
  // A damaged file holds no values; the next write replaces it.
  if (auto parsed = settings_file::Parse(text.str())) {
    values = std::move(*parsed);
  }
  return LoadResult::Loaded;
}

}  // namespace

FileSettingsBackend::FileSettingsBackend(fs::path configRoot)
    : file_(std::move(configRoot) / "Quillmoor" / "Revalorn.conf") {}

fs::path FileSettingsBackend::DefaultConfigRoot() {
#ifdef _WIN32
  if (const char* appData = std::getenv("APPDATA"); appData && *appData) return ToPath(appData);
#endif
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg && fs::path(xdg).is_absolute()) {
    return ToPath(xdg);
  }
  if (const char* home = std::getenv("HOME"); home && *home) {
    return ToPath(home) / ".config";
  }
  return fs::path(".config");
}

std::optional<std::string> FileSettingsBackend::Read(std::string_view valueName) {
  try {
    std::map<std::string, std::string, std::less<>> values;
    if (LoadValues(file_, values) != LoadResult::Loaded) return std::nullopt;
    const auto it = values.find(valueName);
    if (it == values.end()) return std::nullopt;
    return it->second;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

bool FileSettingsBackend::Write(std::string_view valueName, std::string_view text) {
  try {
    if (!settings_file::ValidNameForWrite(valueName)) return false;
    std::map<std::string, std::string, std::less<>> values;
    // A file that exists but cannot be read is not replaced: its values may still be
    // good, and a write that kept only one value would lose the others.
    if (LoadValues(file_, values) == LoadResult::Unreadable) return false;
    values.insert_or_assign(std::string(valueName), std::string(text));
    std::error_code ec;
    fs::create_directories(file_.parent_path(), ec);
    if (ec) return false;
    return WriteFileAtomically(file_, settings_file::Format(values), ec);
  } catch (const std::exception&) {
    return false;
  }
}

bool FileSettingsBackend::DeleteKey() {
  std::error_code ec;
  return fs::remove(file_, ec) && !ec;
}

#ifndef _WIN32
std::unique_ptr<SettingsBackend> MakePlatformSettingsBackend() {
  return std::make_unique<FileSettingsBackend>(FileSettingsBackend::DefaultConfigRoot());
}
#endif

}  // namespace revalorn
