#include "core/sound_output.h"

#include "core/context.h"

namespace revalorn {

bool DSoundInit(Context& ctx) { return ctx.sound.Init(); }
void DSoundLoad(Context& ctx, std::string_view path) { ctx.sound.Load(path); }
void DSoundPlay(Context& ctx, bool looping, std::int32_t volume) { ctx.sound.Play(looping, volume); }
void DSoundStop(Context& ctx) { ctx.sound.Stop(); }
void DSoundSetVolume(Context& ctx, std::int32_t volume) { ctx.sound.SetVolume(volume); }
void DSoundSetFrequency(Context& ctx, std::int32_t frequencyHz) { ctx.sound.SetFrequency(frequencyHz); }
void DSoundShutdown(Context& ctx) { ctx.sound.Shutdown(); }

}  // namespace revalorn
