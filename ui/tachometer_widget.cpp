#include "ui/tachometer_widget.h"

#include <QPainter>

#include <cmath>

#include "resources/resource_paths.h"
#include "ui/picture_box.h"

namespace revalorn::ui {

namespace {

QColor ColourOf(const RgbColour& c) { return QColor(c.red, c.green, c.blue); }

QImage TachBitmap(int id) { return QImage(resources::TachBitmapPath(id)).convertToFormat(QImage::Format_RGB32); }

// The face's user coordinates laid over a picture of the given size.
struct DialCoordinates {
  DialCoordinates(const TachFace& face, QSize size)
      : left(face.scaleLeft),
        top(face.scaleTop),
        xScale(size.width() / static_cast<double>(face.scaleRight - face.scaleLeft)),
        yScale(size.height() / static_cast<double>(face.scaleBottom - face.scaleTop)) {}
  QPointF Map(double x, double y) const { return {(x - left) * xScale, (y - top) * yScale}; }
  double left, top, xScale, yScale;
};

}  // namespace

QImage BackgroundUnder(const PictureBox& background, const QWidget& over) {
  const QPoint at = background.isAncestorOf(&over) ? over.mapTo(&background, QPoint(0, 0))
                                                   : background.mapFromGlobal(over.mapToGlobal(QPoint(0, 0)));
  QImage region(over.size(), QImage::Format_RGB32);
  region.fill(Qt::black);
  const QImage& shown = background.Shown();
  if (!shown.isNull()) {
    QPainter p(&region);
    p.drawImage(QPoint(0, 0), shown, QRect(at, over.size()));
  }
  return region;
}

BackgroundSource BackgroundOf(const PictureBox& background) {
  return [&background](const QWidget& tachometer) { return BackgroundUnder(background, tachometer); };
}

QImage ComposeTachFace(const QImage& background, const QImage& mask, const QImage& dial, QSize size) {
  QImage out(size, QImage::Format_RGB32);
  out.fill(Qt::black);
  QPainter p(&out);
  if (!background.isNull()) p.drawImage(QPoint(0, 0), background.convertToFormat(QImage::Format_RGB32));
  // Stretched without smoothing: a blended edge would not survive AND and OR.
  p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
  if (!mask.isNull()) p.drawImage(QPoint(0, 0), mask.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
  p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
  if (!dial.isNull()) p.drawImage(QPoint(0, 0), dial.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
  return out;
}

void DrawTachNeedleOn(QImage& image, const TachFace& face, const NeedleEnds& ends) {
  if (face.scaleRight == face.scaleLeft || face.scaleBottom == face.scaleTop) return;
  const DialCoordinates dial(face, image.size());
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPen pen(ColourOf(face.needleColour), face.penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.drawLine(dial.Map(ends.tailX, ends.tailY), dial.Map(ends.tipX, ends.tipY));
  // The hub's radius is measured along the x axis; it is a true circle in pixels.
  const double radius = face.hubRadius * std::abs(dial.xScale);
  p.setBrush(ColourOf(face.hubFillColour));
  p.drawEllipse(dial.Map(face.hubCentreX, face.hubCentreY), radius, radius);
}

TachometerWidget::TachometerWidget(const ControlModel& model, const Globals& values, BackgroundSource background,
                                   QWidget* parent)
    : QWidget(parent), model_(model), values_(values), background_(std::move(background)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TachometerWidget::Refresh() {
  const TachState& tach = model_.Tachometer();
  if (tach.serial == seenSerial_) return;
  seenSerial_ = tach.serial;
  // A face without a needle is a new face: composed again over the current background.
  if (tach.needleStep < 0) composed_ = false;
  update();
}

const QImage& TachometerWidget::BackBuffer() {
  const std::int16_t face = model_.Tachometer().face;
  if (composed_ && composedFace_ == face && backBuffer_.size() == size()) return backBuffer_;
  const QImage background = background_ ? background_(*this) : QImage();
  if (face >= 0 && face < static_cast<int>(values_.TachFace.size())) {
    const TachFace& record = values_.TachFace[static_cast<std::size_t>(face)];
    backBuffer_ = ComposeTachFace(background, TachBitmap(record.maskBitmapId), TachBitmap(record.dialBitmapId), size());
  } else {
    backBuffer_ = ComposeTachFace(background, {}, {}, size());
  }
  composed_ = true;
  composedFace_ = face;
  return backBuffer_;
}

QImage TachometerWidget::Frame() {
  QImage frame = BackBuffer();
  const TachState& tach = model_.Tachometer();
  if (tach.face >= 0 && tach.face < static_cast<int>(values_.TachFace.size()) && tach.needleStep >= 0 &&
      tach.needleStep < kNeedleSteps) {
    const auto face = static_cast<std::size_t>(tach.face);
    DrawTachNeedleOn(frame, values_.TachFace[face], values_.NeedleTable[face][static_cast<std::size_t>(tach.needleStep)]);
  }
  return frame;
}

void TachometerWidget::paintEvent(QPaintEvent* /*event*/) {
  seenSerial_ = model_.Tachometer().serial;
  QPainter p(this);
  p.drawImage(QPoint(0, 0), Frame());
}

void TachometerWidget::resizeEvent(QResizeEvent* event) {
  composed_ = false;
  QWidget::resizeEvent(event);
}

}  // namespace revalorn::ui
