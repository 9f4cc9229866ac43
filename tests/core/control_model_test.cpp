#include "core/control_model.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "core/version.h"

namespace revalorn {
namespace {

TEST(ControlModel, StartsInTheWindowsDesignState) {
  ControlModel m;
  EXPECT_EQ(m.Caption(Ctl::LabelCar), "BRABHAM");
  for (Ctl c : {Ctl::CmdAutoPlay0, Ctl::CmdAutoPlay1, Ctl::CmdPedalPlay0, Ctl::CmdPedalPlay1, Ctl::CmdReplace,
                Ctl::CmdRevert}) {
    EXPECT_FALSE(m.Enabled(c)) << ControlName(c);
  }
  EXPECT_TRUE(m.Enabled(Ctl::CmdReplacementLoad));
  EXPECT_EQ(m.Caption(Ctl::CmdReplacementLoad), "Load Sound");
  EXPECT_EQ(m.Caption(CmdAutoPlay(1)), "Auto Play");
  EXPECT_TRUE(m.Checked(optFormula(0)));
  EXPECT_FALSE(m.Checked(optFormula(1)));
  EXPECT_EQ(m.Value(Ctl::HScroll1), 0);
  EXPECT_EQ(m.Value(Ctl::HScroll2), 98);
  EXPECT_FALSE(m.Visible(Ctl::Tach));
  EXPECT_EQ(m.Caption(Ctl::MnuSaveEngineSounds), "Save All Sounds To GPL Sound Directory");
  EXPECT_EQ(m.Caption(Ctl::MnuOptions), "Patches");
  for (int c = static_cast<int>(Ctl::MnuFile); c < kControlCount; ++c) {
    EXPECT_TRUE(m.Enabled(static_cast<Ctl>(c))) << "menus are enabled at design";
  }
}

TEST(ControlModel, TellsItsObserverAboutRealChangesOnly) {
  ControlModel m;
  std::vector<Ctl> changed;
  m.SetObserver([&](Ctl c, ControlModel::Change) { changed.push_back(c); });
  m.SetEnabled(Ctl::CmdRevert, false);  // already disabled
  m.SetEnabled(Ctl::CmdRevert, true);
  EXPECT_FALSE(m.SetValue(Ctl::HScroll2, 98)) << "no change, so no change handler";
  EXPECT_TRUE(m.SetValue(Ctl::HScroll2, 50));
  EXPECT_EQ(changed, (std::vector<Ctl>{Ctl::CmdRevert, Ctl::HScroll2}));
}

TEST(ControlModel, ListsAndPictures) {
  ControlModel m;
  m.AddItem(Ctl::Combo1, "a");
  m.AddItem(Ctl::Combo1, "b");
  m.SetListIndex(Ctl::Combo1, 1);
  EXPECT_EQ(m.ListCount(Ctl::Combo1), 2);
  EXPECT_THROW(m.SetListIndex(Ctl::Combo1, 2), std::out_of_range);
  m.ClearList(Ctl::Combo1);
  EXPECT_EQ(m.ListIndex(Ctl::Combo1), -1);

  m.SetPicture(Ctl::GEMPic1, PictureSource::BuiltIn(101));
  const auto serial = m[Ctl::GEMPic1].pictureSerial;
  m.SetPicture(Ctl::GEMPic1, PictureSource::BuiltIn(101));
  EXPECT_EQ(m[Ctl::GEMPic1].pictureSerial, serial + 1) << "the same picture shown again still repaints";
}

TEST(ControlModel, ControlArrays) {
  EXPECT_EQ(CmdPedalPlay(1), Ctl::CmdPedalPlay1);
  EXPECT_EQ(optFormula(2), Ctl::optFormula2);
  EXPECT_THROW(optFormula(3), std::out_of_range);
  EXPECT_THROW(CmdAutoPlay(2), std::out_of_range);
  EXPECT_EQ(ControlName(Ctl::CmdAutoPlay1), "CmdAutoPlay(1)");
  EXPECT_EQ(ControlName(Ctl::MnuAbout), "MnuAbout");
}

TEST(ProgramVersion, TextAndMajorUpdateKey) {
  EXPECT_EQ(VersionText({6, 0, 0}), "v6.0.0");
  EXPECT_EQ(VersionText({1, 10, 0}), "v1.10.0");
  EXPECT_EQ(VersionKey("v1.2.3"), VersionKey("v1.2.7"));
  EXPECT_NE(VersionKey("v1.3.0"), VersionKey("v1.2.7"));
  EXPECT_EQ(VersionKey("v1.10.0"), VersionKey("v1.1.0"));
  EXPECT_EQ(VersionKey(""), "");
}

}  // namespace
}  // namespace revalorn
