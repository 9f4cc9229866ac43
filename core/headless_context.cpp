#include "core/headless_context.h"

namespace revalorn {

MsgResult HeadlessPrompts::MsgBox(std::string_view text, MsgButtons buttons, MsgIcon /*icon*/,
                                  MsgDefault /*defaultButton*/) {
  messages.emplace_back(text);
  switch (buttons) {
    case MsgButtons::Ok: return MsgResult::Ok;
    case MsgButtons::OkCancel: return MsgResult::Cancel;
    case MsgButtons::YesNo: return MsgResult::No;
  }
  return MsgResult::Cancel;
}

std::string HeadlessPrompts::InputBox(std::string_view /*prompt*/, std::string_view /*defaultText*/) { return {}; }

void HeadlessPrompts::ShowFinder(FinderLogic& logic, FinderModel& model) {
  logic.Load(model);
  if (!model.closeRequested) logic.ClosedByFrame(model);
}

}  // namespace revalorn
