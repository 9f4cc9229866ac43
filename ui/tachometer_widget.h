#pragma once
// The tachometer as the window shows it: the dial of the current version composed over
// the window background, and the needle of the model's step with its hub, drawn in the
// dial's own coordinates.
//
//   auto* tach = new TachometerWidget(ctx.controls, ctx.values,
//                                     BackgroundOf(*window.Picture(Ctl::FrmSoundBackground)));
//   window.SetTachometerWidget(tach);
//   // and whenever the model reports a change of Ctl::Tach:
//   tach->Refresh();
//
// The face is composed the way a masked blit does it: the background under the widget
// copied into a back buffer, the mask (a black disc on white) stretched over it with
// AND, the dial (black outside its face) with OR. Each needle is drawn over a copy of
// that buffer, so the previous needle disappears.

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "core/control_model.h"
#include "core/globals.h"

namespace revalorn::ui {

class PictureBox;

// Returns the window background's pixels under `tachometer`, at its size.
using BackgroundSource = std::function<QImage(const QWidget& tachometer)>;

// The part of what a picture box shows that lies under `over` (normally a widget inside
// it), at over's size; parts outside the picture are black.
QImage BackgroundUnder(const PictureBox& background, const QWidget& over);
// A BackgroundSource reading from a picture box that outlives the tachometer.
BackgroundSource BackgroundOf(const PictureBox& background);

// The dial composed over background (both at size): background AND mask, then OR dial,
// the two bitmaps stretched to size.
QImage ComposeTachFace(const QImage& background, const QImage& mask, const QImage& dial, QSize size);
// Draws a needle from its tail to its tip and the hub over image, in the face's
// coordinates (left, top, right, bottom edges from its scale values) laid over the
// whole image.
void DrawTachNeedleOn(QImage& image, const TachFace& face, const NeedleEnds& ends);

class TachometerWidget : public QWidget {
 public:
  TachometerWidget(const ControlModel& model, const Globals& values, BackgroundSource background,
                   QWidget* parent = nullptr);

  // Takes up a change of the model's tachometer: a new face is composed afresh (from the
  // background as it is when next drawn), a new needle step replaces the old one.
  void Refresh();

  // The composed dial without a needle, at the widget's size (composed if needed).
  const QImage& BackBuffer();
  // What the widget shows: the back buffer with the needle of the current step.
  QImage Frame();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  const ControlModel& model_;
  const Globals& values_;
  BackgroundSource background_;
  QImage backBuffer_;
  bool composed_ = false;
  std::int16_t composedFace_ = -1;
  std::uint64_t seenSerial_ = 0;
};

}  // namespace revalorn::ui
