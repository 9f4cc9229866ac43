#pragma once
// A window's control collection: every control with its box in twips and its font
// size, in the order the resolution scaling visits them, and the routine that scales a
// window laid out for 1280 × 1024 to the actual screen.

#include <QAction>
#include <QPointer>
#include <QWidget>

#include <string>
#include <string_view>
#include <vector>

#include "ui/resolution_scaling.h"

namespace revalorn::ui {

// Every control is laid out with this font; scaling switches it to kScaledFontFamily.
inline constexpr double kDesignFontPoints = 7.8;
inline constexpr const char* kDesignFontFamily = "MS Sans Serif";
inline constexpr const char* kScaledFontFamily = "Arial";

// What a control supports. A scaling step that a control does not support fails for
// that control and is skipped.
enum class ControlKind {
  Ordinary,   // a box and a font
  NoFont,     // a box but no font (scroll bars)
  ComboBox,   // left and width × X, top × Y; its height follows its font
  DriveList,  // a box × f whose height follows its font
  Line,       // drawn from end point to end point: neither a box nor a font
  Menu,       // neither a box nor a font
};

struct FormControl {
  std::string name;
  ControlKind kind = ControlKind::Ordinary;
  QPointer<QWidget> widget;  // every control but a menu
  QPointer<QAction> action;  // menus
  TwipsRect rect;            // the current box
  double fontPoints = 0;     // the current font size
};

class FormLayout {
 public:
  // window: the top-level widget; client: the widget whose size is the client area (the
  // window itself for a dialog, the central widget of a main window).
  FormLayout(QWidget* window, QWidget* client, double clientWidthTwips, double clientHeightTwips);

  // Adds a control at its design box with the design font, and places it.
  QWidget* Add(std::string name, ControlKind kind, QWidget* widget, const TwipsRect& rect,
               double fontPoints = kDesignFontPoints, bool bold = false);
  void AddMenu(std::string name, QAction* action);
  // A line keeps the pixel geometry it was given.
  void AddLine(std::string name, QWidget* line);

  const std::vector<FormControl>& Controls() const { return controls_; }
  const FormControl* Find(std::string_view name) const;
  QWidget* Window() const { return window_; }
  QWidget* Client() const { return client_; }
  // The client area in twips (left and top are the window's position).
  const TwipsRect& WindowRect() const { return windowRect_; }

 private:
  friend void ResizeForResolution(float X, float Y, FormLayout& F);
  void ApplyBox(const FormControl& c) const;
  void ApplyWindow() const;

  QWidget* window_;
  QWidget* client_;
  TwipsRect windowRect_;
  std::vector<FormControl> controls_;
};

// Scales window F and every control in its collection:
//  - the factor f is the larger of X and Y (Y on a tie);
//  - the window's client size × f, and its position × f once it has been placed;
//  - each control: a combo box's left and width × X and top × Y (its height follows
//    its font), any other box × f; then its font becomes "Arial" at its size × f, the
//    nearest size the screen offers.
// A step that a control does not support (a menu has no box, a line neither box nor
// font, a scroll bar no font) or that fails is skipped, and the routine goes on.
void ResizeForResolution(float X, float Y, FormLayout& F);

// Puts the window in the middle of its screen: left = half the screen width minus half
// the window width, top likewise.
void CentreOnScreen(QWidget& window);

}  // namespace revalorn::ui
