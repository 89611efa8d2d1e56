#include <velloro/views/StereoControls.h>
#include <velloro/views/ViewDataModel.h>

#include <TesselUI/Menu.h>

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <memory>
#include <utility>
#include <vector>

using Velloro::StereoControls;
using Velloro::View;
using Velloro::ViewButton;
using Velloro::ViewDataModel;

namespace {

using Reports = std::vector<std::pair<int, int>>;

class StereoControlsTest : public ::testing::Test {
protected:
  StereoControlsTest() { model->setUpViewsForStereo(); }

  // The (picker, row) pairs reported since last asked.
  Reports reports() {
    Reports all;
    for (const QList<QVariant>& signal : spy) {
      all.emplace_back(signal.at(0).toInt(), signal.at(1).toInt());
    }
    spy.clear();
    return all;
  }
  std::pair<int, int> rows() const {
    return {controls.selectedView(StereoControls::ePrimary),
            controls.selectedView(StereoControls::eSecondary)};
  }
  void rename(int row, const char* name) { model->setData(model->index(row, 0), QString(name)); }

  std::shared_ptr<ViewDataModel> model = std::make_shared<ViewDataModel>();
  StereoControls controls{model};
  QSignalSpy spy{&controls, &StereoControls::viewChanged};
};

} // namespace

TEST_F(StereoControlsTest, NamesTitlesAndPickers) {
  EXPECT_EQ(controls.objectName(), "StereoControls");
  ViewButton* primary = controls.viewButton(StereoControls::ePrimary);
  ViewButton* secondary = controls.viewButton(StereoControls::eSecondary);
  EXPECT_EQ(primary->menuTitle(), "Primary");
  EXPECT_EQ(primary->toolTip(), "The primary view");
  EXPECT_EQ(secondary->menuTitle(), "Secondary");
  EXPECT_EQ(secondary->toolTip(), "The secondary view");
  EXPECT_EQ(controls.selectedView(StereoControls::StereoViews(2)), -1);

  // A new stereo project: the hero on the primary, the other view on the secondary.
  EXPECT_EQ(rows(), std::make_pair(0, 1));
  EXPECT_EQ(reports(), Reports({{0, 0}, {1, 1}}));
  EXPECT_EQ(secondary->overflowMenu()->title(), "Secondary (right)");

  controls.setView(StereoControls::eSecondary, 0);
  controls.setView(StereoControls::eSecondary, 0);
  EXPECT_EQ(rows(), std::make_pair(0, 0));
  EXPECT_EQ(reports(), Reports({{1, 0}}));
}

TEST_F(StereoControlsTest, PrimaryFollowsTheHero) {
  reports();
  model->setHeroViewIndex(1);
  EXPECT_EQ(rows(), std::make_pair(1, 0));
  EXPECT_EQ(reports(), Reports({{0, 1}, {1, 0}}));

  // A row inserted above moves both with their views; the display mode changes no choice.
  model->insertRows(0, 1);
  EXPECT_EQ(rows(), std::make_pair(2, 1));
  EXPECT_EQ(reports(), Reports({{0, 2}, {1, 1}}));
  model->setDisplayMode(ViewButton::eDropDownMenu);
  EXPECT_TRUE(controls.viewButton(StereoControls::ePrimary)->isMenuMode());
  EXPECT_EQ(rows(), std::make_pair(2, 1));
  EXPECT_TRUE(reports().empty());

  // No hero at all: nothing to keep the primary on, so the choice stands.
  model->setHeroViewIndex(7);
  EXPECT_EQ(rows(), std::make_pair(2, 1));
  EXPECT_TRUE(reports().empty());
}

TEST_F(StereoControlsTest, RenamesResetsAndOneViewAreFollowed) {
  reports();

  rename(0, "hero");
  EXPECT_EQ(rows(), std::make_pair(0, 1));
  EXPECT_EQ(reports(), Reports({{0, 0}}));

  // The views in the other order: "right" is now first and the hero, so the pickers swap views.
  model->setViews({View("right", QColor()), View("hero", QColor())});
  EXPECT_EQ(rows(), std::make_pair(0, 1));
  EXPECT_EQ(reports(), Reports({{0, 0}, {1, 1}}));

  // One view: row 0 on both.
  model->setUpViewForMono();
  EXPECT_EQ(rows(), std::make_pair(0, 0));
  EXPECT_TRUE(controls.viewButton(StereoControls::eSecondary)->showOnlyOneView());

  model.reset();
  EXPECT_TRUE(controls.viewButton(StereoControls::ePrimary)->showOnlyOneView());
}
