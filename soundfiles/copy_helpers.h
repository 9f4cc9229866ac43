#pragma once
// What the sound-file operations share: asking for a confirmation, stopping the sound
// before a working copy changes, the selected engine slot, keeping the sample rates of
// the slots that share a working copy in step, and copies whose failures can be told
// to the player by file name.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/context.h"

namespace revalorn {

// Carriage return and line feed, as the message boxes break their lines.
inline constexpr std::string_view kCrLf = "\r\n";

// A Yes/No question with the question icon and Yes as the default; true only for Yes.
bool AskYesNo(Context& ctx, std::string_view question);

// True when path names an existing folder.
bool IsFolder(std::string_view path);

// An OK box with the exclamation icon.
void WarnOk(Context& ctx, std::string_view text);

// Stops the playing sound. A platform failure to stop is not a reason to keep the
// player's files from being changed, so it is ignored.
void StopSoundQuietly(Context& ctx);

// The slot of the engine sound list's selected entry; nothing when no entry is selected.
std::optional<std::int16_t> SelectedSlot(const Context& ctx);

// Reads the sample rate of file into every slot of the current version whose sound is
// the file called name: slots that share a file name share one working copy.
void RefreshSampleRates(Context& ctx, std::string_view name, std::string_view file);

// True for a sound the program can play and copy into the game: a PCM RIFF/WAVE file
// with a readable "fmt " chunk, a sample rate above 0, at least one channel, and a
// "data" chunk.
bool IsUsableSound(std::span<const std::uint8_t> bytes);
bool IsUsableSoundFile(std::string_view path);

// One copy that did not happen: the sound it is about and what went wrong, naming the
// file that could not be read or written.
struct CopyFailure {
  std::string name;    // the sound's file name, without folder
  std::string detail;  // e.g. Cannot write "/games/GPL/sound/repco.wav": Permission denied
};

enum class SourceCheck { None, UsableSound };

// Copies source over target through a temporary file beside target, so that target is
// either left whole or replaced whole. With SourceCheck::UsableSound a source that is
// not a usable sound is refused and target is not touched. Nothing on success.
std::optional<CopyFailure> TryCopyFile(std::string_view source, std::string_view target, std::string_view name,
                                       SourceCheck check = SourceCheck::None);

// One line per failure, "name: detail", each after a CR LF.
std::string FailureLines(const std::vector<CopyFailure>& failures);

}  // namespace revalorn
