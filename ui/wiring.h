#pragma once
// Connects the main window's controls to their handlers, in one place. Every handler
// runs guarded: an error that escapes it never reaches Qt's event loop (where it would
// end the program); the player is told with a generic message and the program goes on.
//
// Every control that raises an event is wired, the close box runs the quit routine, and
// the Context's RequestQuit (used where something other than the player ends the
// program) runs it too.

#include <functional>
#include <string_view>

#include "core/context.h"
#include "ui/frm_sound.h"

namespace revalorn::ui {

class QtPrompts;

// The first line of the message shown when a handler failed unexpectedly; the error's
// own text follows it.
inline constexpr std::string_view kUnexpectedErrorText =
    "Revalorn met an unexpected error and stopped what it was doing.";

// Runs handler. An exception escaping it is shown as kUnexpectedErrorText and the
// error's text (exclamation icon), unless the program has been ended on the way; it
// never escapes this function.
void RunGuarded(Context& ctx, const std::function<void()>& handler) noexcept;
// handler wrapped in RunGuarded, for FrmSound::SetHandler.
std::function<void()> Guarded(Context& ctx, std::function<void()> handler);
// The same for the close box's question. After an error the window closes: the player
// asked to leave, and a failing question must not keep the program from ending.
std::function<bool()> GuardedClose(Context& ctx, std::function<bool()> handler);

// Wires every control whose handler exists.
void WireHandlers(FrmSound& window, Context& ctx);

// The main window as the program shows it: the parent of the prompts' boxes and
// finders, the tachometer over its background, and every handler wired.
void AssembleMainWindow(FrmSound& window, Context& ctx, QtPrompts& prompts);

}  // namespace revalorn::ui
