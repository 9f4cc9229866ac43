#pragma once
// The settings store: every persistent setting of the program is a text value under
// one key, "Software\Quillmoor\Revalorn" under HKEY_LOCAL_MACHINE on Windows. On other
// platforms the same value names and texts live in one per-user file.
//
// The rest of the program sees only GetRegValue, SetRegValue and DeleteRegKey.

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace revalorn {

// The registry key that holds every setting, below HKEY_LOCAL_MACHINE.
inline constexpr std::string_view kSettingsKeyPath = "Software\\Quillmoor\\Revalorn";

// Storage behind the three settings operations. Implementations never throw.
class SettingsBackend {
 public:
  virtual ~SettingsBackend() = default;
  // The stored text of a value, or nothing when the key or value is missing or unreadable.
  virtual std::optional<std::string> Read(std::string_view valueName) = 0;
  // Creates the key when needed and stores the value. False when nothing was stored.
  virtual bool Write(std::string_view valueName, std::string_view text) = 0;
  // Removes the key with every value at once. False when the platform reports a failure.
  virtual bool DeleteKey() = 0;
};

// The value's text, or defaultText when the key or the value is missing or unreadable.
std::string GetRegValue(SettingsBackend& store, std::string_view valueName,
                        std::string_view defaultText);
// True when the key was opened or created and the value was written.
bool SetRegValue(SettingsBackend& store, std::string_view valueName, std::string_view text);
// True when the key was deleted.
bool DeleteRegKey(SettingsBackend& store);

// Values kept in memory only; for tests of callers and for tools that must not touch
// the player's settings.
class MemorySettingsBackend final : public SettingsBackend {
 public:
  std::optional<std::string> Read(std::string_view valueName) override;
  bool Write(std::string_view valueName, std::string_view text) override;
  bool DeleteKey() override;

  // Makes every following Write fail, as a read-only store would.
  bool failWrites = false;
  std::map<std::string, std::string, std::less<>> values;
};

// One text file of name/value pairs: <config root>/Quillmoor/Revalorn.conf.
//
// Every write replaces the whole file through a temporary file in the same folder, so
// a crash, a full disk or a read-only folder never loses or damages the values already
// stored. A file that cannot be read or parsed reads as holding no values.
class FileSettingsBackend final : public SettingsBackend {
 public:
  explicit FileSettingsBackend(std::filesystem::path configRoot);

  // $XDG_CONFIG_HOME, else $HOME/.config (on Windows %APPDATA%).
  static std::filesystem::path DefaultConfigRoot();

  std::optional<std::string> Read(std::string_view valueName) override;
  bool Write(std::string_view valueName, std::string_view text) override;
  bool DeleteKey() override;

  const std::filesystem::path& FilePath() const { return file_; }

 private:
  std::filesystem::path file_;
};

// Parses and writes the settings file's text. Exposed for the tests and the fuzzer.
namespace settings_file {
// Nothing when the text is not a well-formed settings file.
std::optional<std::map<std::string, std::string, std::less<>>> Parse(std::string_view text);
std::string Format(const std::map<std::string, std::string, std::less<>>& values);
// True for a value name the file can hold.
bool ValidNameForWrite(std::string_view name);
}  // namespace settings_file

// The store the program uses on this platform: the registry on Windows, the settings
// file elsewhere.
std::unique_ptr<SettingsBackend> MakePlatformSettingsBackend();

}  // namespace revalorn
