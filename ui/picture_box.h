#pragma once
// Picture boxes: a picture (a JPEG file or one of the two built-in pictures) drawn to
// cover the whole box, scaled with smooth filtering, its aspect ratio kept and the
// overflow cut off equally on both sides.

#include <QImage>
#include <QString>
#include <QWidget>

#include "core/control_model.h"

namespace revalorn::ui {

// The resource path of built-in picture 101 or 102; empty for another number.
QString BuiltInPicturePath(int number);

// The picture a source names; a null image when there is none or it cannot be read.
QImage LoadPicture(const PictureSource& source);

// The part of picture that a box of the given size shows: scaled to cover the box
// (FitToCover) with smooth filtering, then the centred box-sized block. A null image
// for an empty picture or box.
QImage FitPicture(const QImage& picture, QSize box);

class PictureBox : public QWidget {
 public:
  explicit PictureBox(QWidget* parent = nullptr);

  // Loads and shows the picture; an unreadable picture leaves the box empty.
  void SetSource(const PictureSource& source);
  // Shows an image already in memory.
  void SetImage(QImage picture);
  void Clear();

  // What the box shows: the fitted picture at the box's size (null when empty).
  const QImage& Shown() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
  // The fitted picture, made again whenever the box's size changed (a widget that is
  // not shown gets no resize events).
  mutable QImage shown_;
};

}  // namespace revalorn::ui
