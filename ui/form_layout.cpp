#include "ui/form_layout.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>

#include <stdexcept>

#include "core/errors.h"

namespace revalorn::ui {

namespace {

bool HasBox(ControlKind kind) { return kind != ControlKind::Line && kind != ControlKind::Menu; }
bool HasFont(ControlKind kind) {
  return kind != ControlKind::Line && kind != ControlKind::Menu && kind != ControlKind::NoFont;
}
bool HeightFollowsFont(ControlKind kind) { return kind == ControlKind::ComboBox || kind == ControlKind::DriveList; }

QWidget& WidgetOf(const FormControl& c) {
  if (!c.widget) throw std::logic_error(c.name + " has no widget");
  return *c.widget;
}

}  // namespace

FormLayout::FormLayout(QWidget* window, QWidget* client, double clientWidthTwips, double clientHeightTwips)
    : window_(window), client_(client), windowRect_{0, 0, clientWidthTwips, clientHeightTwips} {
  ApplyWindow();
}

QWidget* FormLayout::Add(std::string name, ControlKind kind, QWidget* widget, const TwipsRect& rect,
                         double fontPoints, bool bold) {
  FormControl c{std::move(name), kind, widget, nullptr, rect, HasFont(kind) ? fontPoints : 0};
  if (HasFont(kind)) {
    QFont font = widget->font();
    font.setFamily(kDesignFontFamily);
    font.setPointSizeF(fontPoints);
    font.setBold(bold);
    widget->setFont(font);
  }
  ApplyBox(c);
  controls_.push_back(std::move(c));
  return widget;
}

void FormLayout::AddMenu(std::string name, QAction* action) {
  controls_.push_back(FormControl{std::move(name), ControlKind::Menu, nullptr, action, {}, 0});
}

void FormLayout::AddLine(std::string name, QWidget* line) {
  controls_.push_back(FormControl{std::move(name), ControlKind::Line, line, nullptr, {}, 0});
}

const FormControl* FormLayout::Find(std::string_view name) const {
  for (const auto& c : controls_) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

void FormLayout::ApplyBox(const FormControl& c) const {
  QWidget& w = WidgetOf(c);
  const int height = HeightFollowsFont(c.kind) ? w.sizeHint().height() : TwipsToPixels(c.rect.height);
  w.setGeometry(TwipsToPixels(c.rect.left), TwipsToPixels(c.rect.top), TwipsToPixels(c.rect.width), height);
}

void FormLayout::ApplyWindow() const {
  if (client_) client_->setFixedSize(TwipsToPixels(windowRect_.width), TwipsToPixels(windowRect_.height));
  // A main window wraps its client area in the menu bar; its own size follows.
  if (window_ && window_ != client_) window_->adjustSize();
  // A window that was never placed is left to the window system (a dialog opens over
  // its parent); one that was placed moves with the scale.
  if (window_ && window_->testAttribute(Qt::WA_Moved)) {
    window_->move(TwipsToPixels(windowRect_.left), TwipsToPixels(windowRect_.top));
  }
}

void ResizeForResolution(float X, float Y, FormLayout& F) {
  const float f = UniformFactor(X, Y);

  SkipOnError([&] {
    TwipsRect r = F.windowRect_;
    if (F.window_) {
      r.left = F.window_->x() * kTwipsPerPixel;
      r.top = F.window_->y() * kTwipsPerPixel;
    }
    const TwipsRect scaled = ScaleRect(r, ScaleRule::Uniform, X, Y);
    F.windowRect_ = scaled;
    F.ApplyWindow();
  });

  for (FormControl& c : F.controls_) {
    // Position and size.
    SkipOnError([&] {
      if (!HasBox(c.kind)) throw std::logic_error(c.name + " has no box");
      const TwipsRect scaled = ScaleRect(c.rect, c.kind == ControlKind::ComboBox ? ScaleRule::ComboBox : ScaleRule::Uniform, X, Y);
      WidgetOf(c);
      c.rect = scaled;
      F.ApplyBox(c);
    });
    // Font name.
    SkipOnError([&] {
      if (!HasFont(c.kind)) throw std::logic_error(c.name + " has no font");
      QWidget& w = WidgetOf(c);
      QFont font = w.font();
      font.setFamily(kScaledFontFamily);
      w.setFont(font);
    });
    // Font size.
    SkipOnError([&] {
      if (!HasFont(c.kind)) throw std::logic_error(c.name + " has no font");
      QWidget& w = WidgetOf(c);
      const double size = NearestFontSize(c.fontPoints * static_cast<double>(f), w.logicalDpiY());
      QFont font = w.font();
      font.setPointSizeF(size);
      w.setFont(font);
      c.fontPoints = size;
      if (HeightFollowsFont(c.kind)) w.resize(w.width(), w.sizeHint().height());
    });
  }
}

void CentreOnScreen(QWidget& window) {
  QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  const QSize size = window.frameGeometry().size().expandedTo(window.size());
  window.move(area.x() + area.width() / 2 - size.width() / 2, area.y() + area.height() / 2 - size.height() / 2);
}

}  // namespace revalorn::ui
