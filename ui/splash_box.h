#pragma once
// The splash box shown while the program starts: the program's name and version on
// light grey. A key press or a click closes it early.

#include <QWidget>

#include <memory>

#include "ui/form_layout.h"

class QGroupBox;
class QLabel;

namespace revalorn::ui {

class FrmSplashBox : public QWidget {
 public:
  explicit FrmSplashBox(QWidget* parent = nullptr);
  ~FrmSplashBox() override;

  // Scales the box by the screen factors and centres it on the screen.
  void Load(float scaleX, float scaleY);
  // Closes it; nothing happens when it is already closed.
  void Unload();
  // False once it has been closed (by Unload, a key or a click).
  bool IsLoaded() const { return loaded_; }

  FormLayout& Layout() { return *layout_; }
  QLabel* ProductName() const { return lblProductName_; }
  QLabel* Version() const { return lblVersion_; }
  QGroupBox* Frame() const { return frame1_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FitVersion();

  std::unique_ptr<FormLayout> layout_;
  QGroupBox* frame1_ = nullptr;
  QLabel* lblProductName_ = nullptr;
  QLabel* lblVersion_ = nullptr;
  bool loaded_ = true;
};

}  // namespace revalorn::ui
