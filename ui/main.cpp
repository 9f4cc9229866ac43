// The desktop program's entry point.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "core/version.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Revalorn");
  QApplication::setOrganizationName(QString::fromStdString(revalorn::CompanyName()));

  QMainWindow window;
  window.setWindowTitle(
      QString::fromStdString("Revalorn " + revalorn::VersionText(revalorn::CurrentProgramVersion())));
  auto* label = new QLabel(QObject::tr("Revalorn"), &window);
  label->setAlignment(Qt::AlignCenter);
  window.setCentralWidget(label);
  window.resize(713, 547);
  window.show();
  return QApplication::exec();
}
