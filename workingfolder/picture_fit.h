#pragma once
// How a picture fills a picture box: scaled to cover the box with its aspect ratio kept,
// then cropped equally on both sides of the direction that overflows.

namespace revalorn {

struct PictureFit {
  float scale = 0;       // the larger of box/picture width and height ratios
  int scaledWidth = 0;   // picture width × scale, rounded
  int scaledHeight = 0;  // picture height × scale, rounded
  int offsetX = 0;       // first column of the scaled picture that is shown
  int offsetY = 0;       // first row of the scaled picture that is shown
};

// Scale-to-cover with a centred crop of a pictureWidth × pictureHeight picture into a
// boxWidth × boxHeight box. The ratios are single precision; sizes and offsets are
// rounded to whole pixels, halves to even. Sizes of 0 or less give an empty fit.
PictureFit FitToCover(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight);

}  // namespace revalorn
