#include <filesystem>
#include <ostream>
#include <string>

#include "cli/commands.h"
#include "core/headless_context.h"
#include "files/file_helpers.h"
#include "patching/executable_finder.h"
#include "patching/executable_kind.h"
#include "patching/sound_patch.h"

namespace revalorn::cli {

namespace {

void PrintKind(std::ostream& out, ExecutableKind kind) {
  out << KindCode(kind) << ' ' << ExecutableKindName(kind) << '\n';
}

int Refuse(std::ostream& err, const std::string& path, std::string_view why) {
  err << "revalorn-cli exe: " << path << ": " << why << '\n';
  return 1;
}

}  // namespace

// exe identify|patch|unpatch EXE: the executable's kind, or the patch command's file
// work without its questions. A refusal changes nothing and makes no backup.
int RunExe(Args args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) return 2;
  const std::string_view action = args[0];
  const bool identify = action == "identify";
  const bool patch = action == "patch";
  if (!identify && !patch && action != "unpatch") return 2;

  const std::filesystem::path given = ToPath(args[1]);
  const std::string name = FromPath(given.filename());
  std::string folder = FromPath(given.parent_path());
  if (folder.empty()) folder = ".";
  const std::string path = JoinPath(folder, name);

  HeadlessContext headless;
  Context& ctx = headless.ctx;
  if (identify) {
    const ExecutableKind kind = IdentifyExecutableAt(ctx, path);
    PrintKind(out, kind);
    if (!FileExists(path)) err << "revalorn-cli exe: " << path << ": no such file\n";
    return kind == ExecutableKind::Unrecognised ? 1 : 0;
  }

  if (IsRefusedExecutableName(name)) {
    return Refuse(err, path, "the original gpl.exe, 1966 Mod and GT Mod executables are never patched");
  }
  if (!FileExists(path)) return Refuse(err, path, "no such file");
  const ExecutableKind kind = IdentifyExecutableAt(ctx, path);
  if (kind == ExecutableKind::Unrecognised) return Refuse(err, path, "not a recognised GPL executable");
  const auto target = PatchTarget(kind);
  const std::string kindText = std::to_string(KindCode(kind)) + " " + std::string(ExecutableKindName(kind));
  if (!target) return Refuse(err, path, "kind " + kindText + " has no separate F2/F3 patch");
  const bool separate = PatchStateOf(kind) == PatchState::SeparateF2F3;
  if (patch && separate) return Refuse(err, path, "kind " + kindText + " is already patched");
  if (!patch && !separate) return Refuse(err, path, "kind " + kindText + " is not patched");

  const PatchFileResult result = PatchExecutableFile(ctx, path, *target);
  if (!result.Converted()) {
    std::string why = PatchFailureMessage(result.failure, name);
    if (!result.detail.empty()) why += " (" + result.detail + ")";
    return Refuse(err, path, why);
  }
  PrintKind(out, *target);
  return 0;
}

}  // namespace revalorn::cli
