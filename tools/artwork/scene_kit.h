#pragma once
// Pieces of period racing scenery drawn from shapes and gradients: skies, hills, trees,
// grandstands, pits, the track and its kerbs. Every random choice comes from a seeded
// Rng, so a scene is the same each time it is painted.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <random>
#include <utility>
#include <vector>

namespace revalorn::artwork {

class Rng {
 public:
  explicit Rng(unsigned seed) : engine_(seed) {}
  // [0, 1); from the raw engine, whose sequence the standard fixes.
  double Next() { return static_cast<double>(engine_()) / 4294967296.0; }
  double Between(double lo, double hi) { return lo + (hi - lo) * Next(); }

 private:
  std::mt19937 engine_;
};

using ColourStops = std::vector<std::pair<double, QColor>>;

// A vertical gradient filling `area`.
void PaintGradient(QPainter& p, const QRectF& area, const ColourStops& stops);
// A sun or moon with a soft glow.
void PaintSun(QPainter& p, QPointF centre, double radius, QColor core, QColor glow);
// Puffy clouds scattered over `band`.
void PaintClouds(QPainter& p, Rng& rng, const QRectF& band, int count, double size, QColor light, QColor shadow);
// A ridge of hills or mountains from x left to right: its crest wanders around baseY
// by up to `height`, and it is filled down to `bottom`. snow > 0 whitens the peaks.
// taperEnds lets the crest fall to `bottom` towards both ends (a hill standing alone).
void PaintRidge(QPainter& p, Rng& rng, double left, double right, double baseY, double height, double bottom,
                const QColor& top, const QColor& foot, double snow = 0.0, bool taperEnds = false);
// Rows of trees standing on baseY.
enum class TreeKind { Conifer, Broadleaf, Poplar, Palm };
void PaintTreeLine(QPainter& p, Rng& rng, double left, double right, double baseY, double minHeight,
                   double maxHeight, TreeKind kind, const QColor& dark, const QColor& light, double spacing);
void PaintTree(QPainter& p, QPointF base, double height, TreeKind kind, const QColor& dark, const QColor& light);
// A covered grandstand full of spectators.
void PaintGrandstand(QPainter& p, Rng& rng, const QRectF& r, const QColor& roof, const QColor& frame,
                     double shade = 0.0);
// A row of pit garages with open doors.
void PaintPits(QPainter& p, const QRectF& r, const QColor& wall, const QColor& roof, int bays, bool lit = false);
// A timing tower with a board of numbers.
void PaintTimingTower(QPainter& p, const QRectF& r, const QColor& wall, double shade = 0.0);
// The tarmac between y top and bottom, with a worn racing line.
void PaintTrack(QPainter& p, const QRectF& r, const QColor& tarmac, bool wet = false);
// A striped kerb along y, h tall.
void PaintKerb(QPainter& p, double left, double right, double y, double h, const QColor& a, const QColor& b,
               double segment);
// Grass from y top to the bottom of r, with a few darker tufts.
void PaintGrass(QPainter& p, Rng& rng, const QRectF& r, const QColor& near, const QColor& far);
// Straw bales along y, each w wide.
void PaintHayBales(QPainter& p, double left, double right, double y, double w, double shade = 0.0);
// A steel guard rail on posts along y.
void PaintGuardRail(QPainter& p, double left, double right, double y, double h, double shade = 0.0);
// Coloured pennants on a line from a to b.
void PaintBunting(QPainter& p, QPointF a, QPointF b, double sag, int flags, double size);
// Spectators along a bank: small heads and shoulders in many colours.
void PaintCrowd(QPainter& p, Rng& rng, double left, double right, double y, double size, double shade = 0.0);
// Horizontal streaks of speed.
void PaintSpeedLines(QPainter& p, Rng& rng, const QRectF& r, int count, QColor colour);

// Smears an image sideways, as a camera panning with a car sees the background.
QImage HorizontalBlur(const QImage& image, int radius);

}  // namespace revalorn::artwork
