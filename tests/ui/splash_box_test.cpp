#include "ui/splash_box.h"

#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include "core/version.h"

namespace revalorn::ui {
namespace {

TEST(FrmSplashBox, ShowsTheProgramsNameAndVersionOnLightGrey) {
  FrmSplashBox splash;
  splash.Load(1.0f, 1.0f);
  const ProgramVersion v = CurrentProgramVersion();
  EXPECT_EQ(splash.ProductName()->text(), "Revalorn");
  EXPECT_EQ(splash.Version()->text().toStdString(),
            "Version " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.revision));
  EXPECT_EQ(splash.palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(splash.size(), QSize(450, 132));
  EXPECT_EQ(splash.Frame()->geometry(), QRect(16, 8, 416, 110));
  EXPECT_EQ(splash.ProductName()->geometry(), QRect(24, 24, 375, 51));
  const QFont name = splash.ProductName()->font();
  EXPECT_EQ(name.family(), "Arial");
  EXPECT_TRUE(name.bold());
  EXPECT_DOUBLE_EQ(name.pointSizeF(), 32.25);  // 32 points is 42.7 pixels, offered as 43
  EXPECT_DOUBLE_EQ(splash.Version()->font().pointSizeF(), 12.0);
  EXPECT_GE(splash.Version()->width(), splash.Version()->sizeHint().width()) << "the version is never cut off";
}

TEST(FrmSplashBox, IsScaledAndCentredOnTheScreen) {
  FrmSplashBox splash;
  splash.Load(0.625f, 0.5859375f);
  EXPECT_EQ(splash.size(), QSize(281, 82));  // 449.6 × 0.625 and 132 × 0.625
  const QRect screen = splash.screen()->geometry();
  EXPECT_NEAR(splash.geometry().center().x(), screen.center().x(), 1);
  EXPECT_NEAR(splash.geometry().center().y(), screen.center().y(), 1);
}

TEST(FrmSplashBox, AKeyOrAClickClosesItEarly) {
  {
    FrmSplashBox splash;
    splash.Load(1.0f, 1.0f);
    splash.show();
    QTest::keyClick(&splash, Qt::Key_Space);
    EXPECT_FALSE(splash.IsLoaded());
    EXPECT_FALSE(splash.isVisible());
    splash.Unload();  // nothing left to close
    EXPECT_FALSE(splash.IsLoaded());
  }
  {
    FrmSplashBox splash;
    splash.Load(1.0f, 1.0f);
    splash.show();
    // On a label, which lies in the frame.
    QTest::mouseClick(splash.Frame(), Qt::LeftButton, {}, splash.ProductName()->geometry().center());
    EXPECT_FALSE(splash.IsLoaded());
  }
  {
    FrmSplashBox splash;
    splash.Load(1.0f, 1.0f);
    splash.show();
    EXPECT_TRUE(splash.IsLoaded());
    splash.Unload();
    EXPECT_FALSE(splash.isVisible());
  }
}

}  // namespace
}  // namespace revalorn::ui
