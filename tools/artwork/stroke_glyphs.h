#pragma once
// Numerals and a few capitals drawn as pen strokes, so the artwork needs no font: it
// looks the same on every machine that regenerates it.

#include <QPainterPath>
#include <QPointF>
#include <QString>

namespace revalorn::artwork {

// The centre lines of the text's strokes, centred on `centre`, `height` tall. Knows the
// digits, the letters M, P, R and X and the space; other characters are left out.
QPainterPath StrokeText(const QString& text, QPointF centre, double height);

}  // namespace revalorn::artwork
