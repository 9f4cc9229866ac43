#pragma once
// Racing cars of the late 1960s, seen from the side, drawn from shapes and gradients:
// the cigar-shaped single-seater with exposed wheels, and a closed sports coupe.

#include <QColor>
#include <QPainter>
#include <QPointF>

namespace revalorn::artwork {

struct Livery {
  QColor body;
  QColor accent;              // nose band or stripes
  bool noseBand = false;
  bool stripes = false;       // two stripes along the top (single-seater) or side (coupe)
  QColor helmet = QColor(240, 240, 236);
  QColor helmetStripe = QColor(200, 30, 30);
  QColor overalls = QColor(120, 150, 190);
  int number = 0;             // shown in a white roundel; 0 for none
};

struct CarPose {
  QPointF ground;             // the point on the ground under the middle of the car
  double length = 400.0;      // nose to tail, in the caller's units
  bool facingLeft = false;
  bool moving = false;        // blurred wheels
  bool highWings = false;     // the tall strut-mounted wings of 1969
  bool lights = false;        // coupe only: headlights and tail lights on
  double shade = 0.0;         // 0 daylight .. 1 dark: how much the colours are dimmed
};

void PaintSingleSeater(QPainter& p, const Livery& livery, const CarPose& pose);
void PaintCoupe(QPainter& p, const Livery& livery, const CarPose& pose);

}  // namespace revalorn::artwork
