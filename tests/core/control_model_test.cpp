#include "core/control_model.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "core/version.h"

namespace revalorn {
namespace {

TEST(ControlModel, StartsInTheWindowsDesignStateAndTellsItsObserverAboutRealChangesOnly) {
  ControlModel m;
  EXPECT_FALSE(m.Enabled(Ctl::CmdAutoPlay0));
  EXPECT_TRUE(m.Enabled(Ctl::CmdReplacementLoad));
  EXPECT_TRUE(m.Checked(optFormula(0)));
  EXPECT_EQ(m.Value(Ctl::HScroll2), 98);
  for (int c = static_cast<int>(Ctl::MnuFile); c < kControlCount; ++c) {
    EXPECT_TRUE(m.Enabled(static_cast<Ctl>(c))) << "menus are enabled at design";
  }

  std::vector<Ctl> changed;
  m.SetObserver([&](Ctl c, ControlModel::Change) { changed.push_back(c); });
  m.SetEnabled(Ctl::CmdRevert, false);  // already disabled
  m.SetEnabled(Ctl::CmdRevert, true);
  EXPECT_FALSE(m.SetValue(Ctl::HScroll2, 98)) << "no change, so no change handler";
  EXPECT_TRUE(m.SetValue(Ctl::HScroll2, 50));
  EXPECT_EQ(changed, (std::vector<Ctl>{Ctl::CmdRevert, Ctl::HScroll2}));
}

TEST(ControlModel, ListsPicturesAndControlArrays) {
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

  EXPECT_EQ(optFormula(2), Ctl::optFormula2);
  EXPECT_THROW(optFormula(3), std::out_of_range);
  EXPECT_THROW(CmdAutoPlay(2), std::out_of_range);
  EXPECT_EQ(ControlName(Ctl::CmdAutoPlay1), "CmdAutoPlay(1)");
}

TEST(ProgramVersion, TextAndMajorUpdateKey) {
  EXPECT_EQ(VersionText({1, 10, 0}), "v1.10.0");
  EXPECT_EQ(VersionKey("v1.2.3"), VersionKey("v1.2.7"));
  EXPECT_NE(VersionKey("v1.3.0"), VersionKey("v1.2.7"));
  EXPECT_EQ(VersionKey("v1.10.0"), VersionKey("v1.1.0"));
  EXPECT_EQ(VersionKey(""), "");
}

}  // namespace
}  // namespace revalorn
