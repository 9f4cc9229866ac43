#include "ui/picture_box.h"

#include <QImageReader>
#include <QPainter>

#include "resources/resource_paths.h"
#include "workingfolder/picture_fit.h"

namespace revalorn::ui {

QString BuiltInPicturePath(int number) { return resources::BuiltInPicturePath(number); }

QImage LoadPicture(const PictureSource& source) {
  QString path;
  switch (source.kind) {
    case PictureSource::Kind::None:
      return {};
    case PictureSource::Kind::File:
      path = QString::fromStdString(source.path);
      break;
    case PictureSource::Kind::BuiltIn:
      path = BuiltInPicturePath(source.builtIn);
      break;
  }
  if (path.isEmpty()) return {};
  QImageReader reader(path);
  // The picture files of the game are JPEGs whatever their name says; trust the content.
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(true);
  return reader.read();
}

QImage FitPicture(const QImage& picture, QSize box) {
  if (picture.isNull() || box.isEmpty()) return {};
  const PictureFit fit = FitToCover(picture.width(), picture.height(), box.width(), box.height());
  if (fit.scaledWidth <= 0 || fit.scaledHeight <= 0) return {};
  const QImage scaled = picture.scaled(fit.scaledWidth, fit.scaledHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return scaled.copy(fit.offsetX, fit.offsetY, box.width(), box.height());
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::SetSource(const PictureSource& source) { SetImage(LoadPicture(source)); }

void PictureBox::SetImage(QImage picture) {
  picture_ = std::move(picture);
  shown_ = FitPicture(picture_, size());
  update();
}

const QImage& PictureBox::Shown() const {
  if (!picture_.isNull() && shown_.size() != size()) shown_ = FitPicture(picture_, size());
  return shown_;
}

void PictureBox::Clear() { SetImage({}); }

void PictureBox::paintEvent(QPaintEvent* /*event*/) {
  const QImage& shown = Shown();
  if (shown.isNull()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, shown);
}

}  // namespace revalorn::ui
