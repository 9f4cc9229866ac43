#include "resources/resource_paths.h"

namespace revalorn::resources {

QString BuiltInPicturePath(int id) { return QString(":/revalorn/pictures/%1.jpg").arg(id); }

QString TachBitmapPath(int id) { return QString(":/revalorn/tach/%1.bmp").arg(id); }

}  // namespace revalorn::resources
