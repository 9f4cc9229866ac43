#include "soundfiles/copy_helpers.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "catalogue/catalogue.h"
#include "files/file_helpers.h"
#include "files/wav_header.h"

namespace revalorn {

bool AskYesNo(Context& ctx, std::string_view question) {
  return ctx.prompts.MsgBox(question, MsgButtons::YesNo, MsgIcon::Question, MsgDefault::First) == MsgResult::Yes;
}

bool IsFolder(std::string_view path) {
  std::error_code ec;
  return FileExists(path) && std::filesystem::is_directory(ToPath(path), ec);
}

void WarnOk(Context& ctx, std::string_view text) {
  ctx.prompts.MsgBox(text, MsgButtons::Ok, MsgIcon::Exclamation, MsgDefault::First);
}

void StopSoundQuietly(Context& ctx) {
  try {
    DSoundStop(ctx);
  } catch (const SoundOutputError&) {
    // The next load releases the buffer anyway.
  }
}

std::optional<std::int16_t> SelectedSlot(const Context& ctx) {
  const int index = ctx.controls.ListIndex(Ctl::Combo1);
  const int count = ctx.controls.ListCount(Ctl::Combo1);
  if (index < 0 || index >= count) return std::nullopt;
  return SlotOfListIndex(index, count);
}

void RefreshSampleRates(Context& ctx, std::string_view name, std::string_view file) {
  const int v = ctx.values.GameVersion;
  const std::int32_t rate = ReadWavSampleRate(file);
  for (const std::int16_t s : VersionSlots(ctx.catalogue, v)) {
    if (ctx.catalogue.SoundFileName(v, s) == name) ctx.catalogue.SampleRate(v, s) = rate;
  }
}

bool IsUsableSound(std::span<const std::uint8_t> bytes) {
  if (!IsUsablePcmWav(bytes)) return false;
  const auto layout = ParseWavLayout(bytes);
  return layout && layout->hasData;
}

bool IsUsableSoundFile(std::string_view path) {
  try {
    ByteBuffer bytes;
    LoadFileBytes(bytes, path);
    return IsUsableSound(bytes);
  } catch (const std::exception&) {
    return false;
  }
}

std::optional<CopyFailure> TryCopyFile(std::string_view source, std::string_view target, std::string_view name,
                                       SourceCheck check) {
  try {
    ByteBuffer bytes;
    LoadFileBytes(bytes, source);
    if (check == SourceCheck::UsableSound && !IsUsableSound(bytes)) {
      return CopyFailure{std::string(name), "\"" + std::string(source) + "\" is not a PCM WAV sound"};
    }
    WriteFileAtomically(target, bytes);
    return std::nullopt;
  } catch (const std::exception& e) {
    return CopyFailure{std::string(name), e.what()};
  }
}

std::string FailureLines(const std::vector<CopyFailure>& failures) {
  std::string lines;
  for (const CopyFailure& f : failures) {
    lines += kCrLf;
    lines += f.name + ": " + f.detail;
  }
  return lines;
}

}  // namespace revalorn
