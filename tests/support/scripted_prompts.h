#pragma once
// A Prompts double: records every message box (text, buttons, icon, default button),
// input box, finder and busy-pointer change, and answers from a script.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/prompts.h"

namespace revalorn::testing {

struct RecordedMessage {
  std::string text;
  MsgButtons buttons;
  MsgIcon icon;
  MsgDefault defaultButton;
};

class ScriptedPrompts final : public Prompts {
 public:
  // How a scripted finder is driven: Load has already run; the script calls the
  // logic's handlers. If the dialog is still open afterwards, it is closed by its frame.
  using FinderScript = std::function<void(FinderLogic&, FinderModel&)>;

  MsgResult MsgBox(std::string_view text, MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton) override;
  std::string InputBox(std::string_view prompt, std::string_view defaultText) override;
  void ShowFinder(FinderLogic& logic, FinderModel& model) override;
  void SetBusyCursor(bool busy) override;
  void ProcessEvents() override { ++processEventsCalls; }
  void EndProgram() override { ++endProgramCalls; }

  // Answers for boxes with more than one button, in order. An OK-only box is answered
  // Ok without using one. A question with no scripted answer fails the test and is
  // answered with its second button (No or Cancel).
  std::deque<MsgResult> answers;
  // Called for every message box before the scripted answer is taken; may return an
  // answer of its own (e.g. to click something while the box is open).
  std::function<std::optional<MsgResult>(const RecordedMessage&)> onMessage;
  // Called after every change of the mouse pointer (true: busy), e.g. to change the
  // files on disk in the middle of a long operation.
  std::function<void(bool)> onBusyChange;
  // Texts for input boxes, in order; "" (Cancel) when none is left.
  std::deque<std::string> inputs;
  // Scripts for the finders shown, in order. With none left, the finder is closed by
  // its frame right after loading.
  std::deque<FinderScript> finderScripts;

  std::vector<RecordedMessage> messages;
  std::vector<std::string> inputPrompts;
  std::vector<std::string> inputDefaults;  // the default text of each input box
  std::vector<FinderModel> findersShown;  // each finder's model as it was when it closed
  std::vector<bool> busyChanges;          // every SetBusyCursor call
  bool busy = false;
  int processEventsCalls = 0;
  int endProgramCalls = 0;

  // Texts of all recorded messages, in order.
  std::vector<std::string> MessageTexts() const;
};

}  // namespace revalorn::testing
