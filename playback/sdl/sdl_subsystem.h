#pragma once
// Starting one of SDL's subsystems the way this program needs it.

#include <SDL.h>

namespace revalorn {

// SDL_InitSubSystem, without SDL's own SIGINT and SIGTERM handlers: SDL would turn those
// signals into quit events that nothing here reads, and the program could no longer be
// ended with Ctrl+C in a terminal or by the system. The hint must be set before SDL's
// first subsystem starts, so every start goes through here.
inline int InitSdlSubsystem(Uint32 flags) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  return SDL_InitSubSystem(flags);
}

}  // namespace revalorn
