#include "../common/FakeViewer.h"

#include <velloro/viewerui/ViewerChooser.h>
#include <velloro/viewerui/ViewersModel.h>

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>

#include <string>
#include <vector>

using Velloro::ViewerChooser;
using Velloro::ViewerModelItem;
using Velloro::ViewersModel;

namespace {

class ViewerChooserTest : public ::testing::Test {
protected:
  ViewerChooserTest() {
    for (FakeViewer* viewer : {&m_a, &m_b, &m_c}) {
      model().addViewer(viewer);
    }
    QObject::connect(&m_chooser, &ViewerChooser::viewerChanged, &m_chooser,
                     [this](ViewerModelItem* viewer) { m_log.push_back("changed " + name(viewer)); });
    QObject::connect(&m_chooser, &ViewerChooser::viewerDisabled, &m_chooser,
                     [this](ViewerModelItem* viewer) { m_log.push_back("disabled " + name(viewer)); });
  }
  ~ViewerChooserTest() override {
    model().setActiveViewer(nullptr);
    for (FakeViewer* viewer : {&m_a, &m_b, &m_c}) {
      model().removeViewer(viewer);
    }
  }
  static ViewersModel& model() { return ViewersModel::Instance(); }
  static std::string name(ViewerModelItem* viewer) { return viewer ? viewer->title().toStdString() : "null"; }
  std::vector<std::string> takeLog() { return std::exchange(m_log, {}); }

  QAbstractItemModelTester m_tester{&model(), QAbstractItemModelTester::FailureReportingMode::Fatal};
  FakeViewer m_a{QStringLiteral("A")}, m_b{QStringLiteral("B")}, m_c{QStringLiteral("C")};
  ViewerChooser m_chooser;
  std::vector<std::string> m_log;
};

TEST_F(ViewerChooserTest, FollowsTheActiveViewerOnlyOnTheActiveRow) {
  ASSERT_TRUE(m_chooser.isUsingActiveViewer());
  model().setActiveViewer(&m_a);
  model().setActiveViewer(&m_b);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"disabled null", "changed A", "disabled A", "changed B"}));
  EXPECT_EQ(m_chooser.viewer(), &m_b);

  m_chooser.setCurrentViewer(&m_c);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"disabled B", "changed C"}));
  model().setActiveViewer(&m_a);
  EXPECT_TRUE(takeLog().empty());
  EXPECT_EQ(m_chooser.viewer(), &m_c);

  FakeViewer stranger(QStringLiteral("Stranger"));
  m_chooser.setCurrentViewer(&stranger);
  EXPECT_EQ(m_chooser.viewer(), &m_c);
}

TEST_F(ViewerChooserTest, RemovingTheChosenViewerFallsBackToNone) {
  // B sits between A and C, so the combo box has a neighbour to move to on its own.
  m_chooser.setCurrentViewer(&m_b);
  takeLog();
  model().removeViewer(&m_b);
  EXPECT_EQ(m_chooser.currentIndex(), 0);
  EXPECT_EQ(m_chooser.viewer(), nullptr);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"changed null"}));

  // Removing a viewer that is not chosen leaves the choice alone.
  m_chooser.setCurrentViewer(&m_c);
  takeLog();
  model().removeViewer(&m_a);
  EXPECT_EQ(m_chooser.viewer(), &m_c);
  EXPECT_EQ(m_chooser.currentText(), "C");
}

} // namespace
