#include "ui/splash_box.h"

#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include "core/version.h"

namespace revalorn::ui {
namespace {

TEST(FrmSplashBox, NameAndVersionOnLightGreyScaledAndCentred) {
  FrmSplashBox splash;
  splash.Load(1.0f, 1.0f);
  const ProgramVersion v = CurrentProgramVersion();
  EXPECT_EQ(splash.ProductName()->text(), "Revalorn");
  EXPECT_EQ(splash.Version()->text(), QStringLiteral("Version %1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision));
  EXPECT_EQ(splash.palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(splash.size(), QSize(450, 132));
  EXPECT_EQ(splash.ProductName()->geometry(), QRect(24, 24, 375, 51));
  EXPECT_DOUBLE_EQ(splash.ProductName()->font().pointSizeF(), 32.25);  // 42.7 pixels offered as 43
  EXPECT_GE(splash.Version()->width(), splash.Version()->sizeHint().width()) << "never cut off";

  FrmSplashBox small;
  small.Load(0.625f, 0.5859375f);
  EXPECT_EQ(small.size(), QSize(281, 82));
  EXPECT_NEAR(small.geometry().center().x(), small.screen()->geometry().center().x(), 1);
}

TEST(FrmSplashBox, AKeyOrAClickOnTheFrameClosesItEarly) {
  FrmSplashBox byKey;
  byKey.show();
  QTest::keyClick(&byKey, Qt::Key_Space);
  EXPECT_FALSE(byKey.IsLoaded());
  EXPECT_FALSE(byKey.isVisible());

  FrmSplashBox byClick;
  byClick.show();
  QTest::mouseClick(byClick.Frame(), Qt::LeftButton, {}, byClick.ProductName()->geometry().center());
  EXPECT_FALSE(byClick.IsLoaded());
  byClick.Unload();  // nothing left to close
}

}  // namespace
}  // namespace revalorn::ui
