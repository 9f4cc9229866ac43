// The settings store on Windows: the registry key
// HKEY_LOCAL_MACHINE\Software\Quillmoor\Revalorn, values of type REG_SZ.
//
// Each operation opens the key with the least access it needs (query for reads, set
// for writes), so that reading works without administrator rights.
#ifdef _WIN32

#include <windows.h>

#include <string>
#include <vector>

#include "settings/settings_store.h"

namespace revalorn {

namespace {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

class RegistrySettingsBackend final : public SettingsBackend {
 public:
  std::optional<std::string> Read(std::string_view valueName) override {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Widen(kSettingsKeyPath).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    const std::wstring name = Widen(valueName);
    DWORD size = 0;
    std::optional<std::string> result;
    if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
      if (size == 0) {
        result = std::string();
      } else {
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size) ==
            ERROR_SUCCESS) {
          std::wstring text(data.data(), size / sizeof(wchar_t));
          if (!text.empty() && text.back() == L'\0') text.pop_back();  // the terminating NUL
          result = Narrow(text);
        }
      }
    }
    RegCloseKey(key);
    return result;
  }

  bool Write(std::string_view valueName, std::string_view text) override {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, Widen(kSettingsKeyPath).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    const std::wstring data = Widen(text);
    const LONG rc = RegSetValueExW(key, Widen(valueName).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
  }

  bool DeleteKey() override {
    return RegDeleteKeyW(HKEY_LOCAL_MACHINE, Widen(kSettingsKeyPath).c_str()) == ERROR_SUCCESS;
  }
};

}  // namespace

std::unique_ptr<SettingsBackend> MakePlatformSettingsBackend() {
  return std::make_unique<RegistrySettingsBackend>();
}

}  // namespace revalorn

#endif  // _WIN32
