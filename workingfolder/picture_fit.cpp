#include "workingfolder/picture_fit.h"

#include "core/rounding.h"

namespace revalorn {

PictureFit FitToCover(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight) {
  PictureFit fit;
  if (pictureWidth <= 0 || pictureHeight <= 0 || boxWidth <= 0 || boxHeight <= 0) return fit;
  const float rw = static_cast<float>(boxWidth) / static_cast<float>(pictureWidth);
  const float rh = static_cast<float>(boxHeight) / static_cast<float>(pictureHeight);
  fit.scale = rw > rh ? rw : rh;
  fit.scaledWidth = RoundHalfEven32(static_cast<double>(static_cast<float>(pictureWidth) * fit.scale));
  fit.scaledHeight = RoundHalfEven32(static_cast<double>(static_cast<float>(pictureHeight) * fit.scale));
  fit.offsetX = RoundHalfEven32((fit.scaledWidth - boxWidth) / 2.0);
  fit.offsetY = RoundHalfEven32((fit.scaledHeight - boxHeight) / 2.0);
  return fit;
}

}  // namespace revalorn
