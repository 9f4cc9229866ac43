#pragma once
// The main window, FrmSound: three frames of controls, the car picture and the
// tachometer over the background picture, and four menus, laid out for a 1280 × 1024
// screen (see ResizeForResolution).
//
// The window only shows the ControlModel and forwards the user's actions. Each control
// event is wired to its handler with SetHandler:
//
//   window.SetHandler(Ctl::Combo2, [&ctx] { Combo2_Click(ctx); });
//   window.SetHandler(CmdAutoPlay(1), [&ctx] { CmdAutoPlay_Click(ctx, 1); });
//   window.SetHandler(Ctl::HScroll1, [&ctx] { HScroll1_Change(ctx); });
//   window.SetCloseHandler([&ctx] { return QuitRoutine(ctx); });  // false keeps it open
//
// The event of each control: a button's or a menu item's click; a list's click (the
// user picked an entry); an option's click; a scroll bar's change (the position moved,
// not while the thumb is dragged). Before the handler runs, the window writes the
// user's change into the model (list index, option values, scroll bar value); a scroll
// bar's handler runs only when the value really changed. A control whose event has no
// handler stays disabled whatever the model says.

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

#include "core/control_model.h"
#include "ui/form_layout.h"

class QAction;
class QCloseEvent;

namespace revalorn::ui {

class PictureBox;

// The main window's client area in twips at the design resolution.
inline constexpr double kFrmSoundClientWidth = 10692;
inline constexpr double kFrmSoundClientHeight = 8208;

class FrmSound : public QMainWindow {
 public:
  explicit FrmSound(ControlModel& model, QWidget* parent = nullptr);
  ~FrmSound() override;
  FrmSound(const FrmSound&) = delete;
  FrmSound& operator=(const FrmSound&) = delete;

  // True for the controls that raise an event (buttons, lists, options, scroll bars,
  // menu items); SetHandler accepts only those and throws std::invalid_argument
  // otherwise. An empty function unwires the event.
  static bool HasEvent(Ctl c);
  void SetHandler(Ctl c, std::function<void()> handler);
  // Asked when the user closes the window with its close box (or the system closes
  // it): true lets it close, false keeps it open. Without a handler it closes.
  void SetCloseHandler(std::function<bool()> handler);

  // The window's control collection, for ResizeForResolution.
  FormLayout& Layout() { return *layout_; }

  // The widget of a control (nullptr for menus and the window itself).
  QWidget* Widget(Ctl c) const { return widgets_[Index(c)]; }
  // The action of a menu or menu item (nullptr for other controls).
  QAction* Action(Ctl c) const { return actions_[Index(c)]; }
  PictureBox* Picture(Ctl c) const;

  // Puts the tachometer widget into Tach's box; it fills the box and follows its size
  // and visibility.
  // onChange runs after every change of the model's tachometer (face, needle, shown).
  void SetTachometerWidget(QWidget* tachometer, std::function<void()> onChange = {});

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  static std::size_t Index(Ctl c) { return static_cast<std::size_t>(c); }
  void Build();
  void BuildMenus();
  void Refresh(Ctl c);
  void RefreshAll();
  void Fire(Ctl c);
  bool EffectiveEnabled(Ctl c) const;

  ControlModel& model_;
  std::unique_ptr<FormLayout> layout_;
  std::array<QWidget*, kControlCount> widgets_{};
  std::array<QAction*, kControlCount> actions_{};
  std::array<std::function<void()>, kControlCount> handlers_;
  std::array<std::uint64_t, kControlCount> pictureShown_{};
  std::function<bool()> closeHandler_;
  std::function<void()> tachometerChanged_;
};

}  // namespace revalorn::ui
