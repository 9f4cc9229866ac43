#include "tests/support/scripted_prompts.h"

#include <gtest/gtest.h>

namespace revalorn::testing {

MsgResult ScriptedPrompts::MsgBox(std::string_view text, MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton) {
  messages.push_back({std::string(text), buttons, icon, defaultButton});
  if (onMessage) {
    if (auto answer = onMessage(messages.back())) return *answer;
  }
  if (buttons == MsgButtons::Ok) return MsgResult::Ok;
  if (answers.empty()) {
    ADD_FAILURE() << "unscripted question: \"" << text << "\"";
    return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
  }
  const MsgResult answer = answers.front();
  answers.pop_front();
  return answer;
}

std::string ScriptedPrompts::InputBox(std::string_view prompt, std::string_view defaultText) {
  inputPrompts.emplace_back(prompt);
  inputDefaults.emplace_back(defaultText);
  if (inputs.empty()) return {};
  std::string text = std::move(inputs.front());
  inputs.pop_front();
  return text;
}

void ScriptedPrompts::ShowFinder(FinderLogic& logic, FinderModel& model) {
  logic.Load(model);
  if (!model.closeRequested && !finderScripts.empty()) {
    FinderScript script = std::move(finderScripts.front());
    finderScripts.pop_front();
    script(logic, model);
  }
  if (!model.closeRequested && endProgramCalls == 0) {
    logic.ClosedByFrame(model);
  }
  findersShown.push_back(model);
}

void ScriptedPrompts::SetBusyCursor(bool isBusy) {
  busyChanges.push_back(isBusy);
  busy = isBusy;
  if (onBusyChange) onBusyChange(isBusy);
}

std::vector<std::string> ScriptedPrompts::MessageTexts() const {
  std::vector<std::string> texts;
  for (const auto& m : messages) texts.push_back(m.text);
  return texts;
}

}  // namespace revalorn::testing
