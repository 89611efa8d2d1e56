#include "../common/FakeViewer.h"

#include <velloro/viewerui/ViewerSortProxyModel.h>
#include <velloro/viewerui/ViewersModel.h>

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <list>
#include <string>
#include <vector>

using Velloro::ViewerModelItem;
using Velloro::ViewersModel;

namespace {

std::string text(const QAbstractItemModel& model, int row) {
  return model.index(row, 0).data().toString().toStdString();
}

std::string name(ViewerModelItem* viewer) {
  return viewer ? viewer->title().toStdString() : "null";
}

// The model is process-wide: each test starts and ends with it empty.
class ViewersModelTest : public ::testing::Test {
protected:
  ViewersModelTest()
      : m_tester(&model(), QAbstractItemModelTester::FailureReportingMode::Fatal) {}
  ~ViewersModelTest() override {
    model().setActiveViewer(nullptr);
    for (ViewerModelItem* viewer : QList<ViewerModelItem*>(model().viewers())) {
      model().removeViewer(viewer);
    }
  }
  static ViewersModel& model() { return ViewersModel::Instance(); }
  // A viewer that outlives the test body, so that the fixture can still remove it.
  FakeViewer& viewer(const char* title) { return m_viewers.emplace_back(QString::fromLatin1(title)); }

  QAbstractItemModelTester m_tester;
  std::list<FakeViewer> m_viewers;
};

TEST_F(ViewersModelTest, RowsTitlesAndLookups) {
  EXPECT_EQ(model().rowCount(), 2);
  EXPECT_EQ(text(model(), 0), "None");
  EXPECT_EQ(text(model(), 1), "Active Viewer");

  FakeViewer &seven = viewer("Viewer1"), &ten = viewer("ViewerTen1"), &twelve = viewer("Viewer123456");
  for (FakeViewer* viewer : {&seven, &ten, &twelve}) {
    model().addViewer(viewer);
  }
  ASSERT_EQ(model().rowCount(), 5);
  EXPECT_EQ(text(model(), 4), "Viewer123456");

  const std::vector<std::pair<FakeViewer*, std::string>> activeTitles = {
      {&seven, "Active Viewer (Viewer1)"},
      {&ten, "Active Viewer (ViewerTen1)"},
      {&twelve, "Active Viewer (View..3456)"}};
  for (const auto& [viewer, title] : activeTitles) {
    model().setActiveViewer(viewer);
    EXPECT_EQ(text(model(), 1), title);
  }
  EXPECT_EQ(model().viewerForIndex(1), &twelve);
  EXPECT_EQ(model().viewerForIndex(0), nullptr);
  EXPECT_EQ(model().indexForViewer(&twelve).row(), 4); // never the active-viewer row
  EXPECT_EQ(model().indexForViewer(nullptr).row(), 0);
  FakeViewer stranger(QStringLiteral("Stranger"));
  EXPECT_FALSE(model().indexForViewer(&stranger).isValid());
  EXPECT_TRUE(model().indexIsActiveViewer(1));
  EXPECT_FALSE(model().indexIsActiveViewer(5));

  // A renamed active viewer updates its own row and the active-viewer row.
  QSignalSpy changed(&model(), &ViewersModel::dataChanged);
  twelve.rename(QStringLiteral("Short"));
  ASSERT_EQ(changed.size(), 2);
  EXPECT_EQ(changed[0][0].toModelIndex().row(), 4);
  EXPECT_EQ(changed[1][0].toModelIndex().row(), 1);
  EXPECT_EQ(text(model(), 1), "Active Viewer (Short)");

  // Once removed, its renames are no longer the model's business.
  model().removeViewer(&seven);
  changed.clear();
  seven.rename(QStringLiteral("Gone"));
  EXPECT_TRUE(changed.isEmpty());
}

TEST_F(ViewersModelTest, AddingTwiceAndRemovingTheActiveViewer) {
  std::vector<std::string> log;
  QObject context;
  QObject::connect(&model(), &ViewersModel::viewerAdded, &context,
                   [&](ViewerModelItem* viewer) { log.push_back("added " + name(viewer)); });
  QObject::connect(&model(), &ViewersModel::activeViewerChanged, &context,
                   [&](ViewerModelItem* viewer) { log.push_back("active " + name(viewer)); });
  QObject::connect(&model(), &ViewersModel::viewerAboutToBeRemoved, &context,
                   [&](ViewerModelItem* viewer) { log.push_back("removing " + name(viewer)); });
  QObject::connect(&model(), &ViewersModel::viewerRemoved, &context,
                   [&](ViewerModelItem* viewer) { log.push_back("removed " + name(viewer)); });

  FakeViewer& a = viewer("A");
  model().addViewer(&a);
  model().addViewer(&a);
  EXPECT_EQ(model().rowCount(), 3);
  model().setActiveViewer(&a);
  model().setActiveViewer(&a);
  model().removeViewer(&a);
  EXPECT_EQ(log, (std::vector<std::string>{"added A", "active A", "active null", "removing A", "removed A"}));
  EXPECT_EQ(model().rowCount(), 2);

  // Shutting down empties the model and leaves nobody listening.
  FakeViewer& b = viewer("B");
  model().addViewer(&a);
  model().addViewer(&b);
  model().setActiveViewer(&b);
  log.clear();
  model().shutdown();
  EXPECT_EQ(model().rowCount(), 2);
  EXPECT_EQ(model().activeViewer(), nullptr);
  EXPECT_EQ(log,
            (std::vector<std::string>{"active null", "removing A", "removed A", "removing B", "removed B"}));
  log.clear();
  model().addViewer(&a);
  EXPECT_TRUE(log.empty());
}

TEST_F(ViewersModelTest, SortProxyKeepsFixedRowsFirstAndHidesRows) {
  Velloro::ViewerSortProxyModel proxy;
  QAbstractItemModelTester proxyTester(&proxy, QAbstractItemModelTester::FailureReportingMode::Fatal);
  proxy.setRowHidden(0, true);
  FakeViewer &zeta = viewer("Zeta"), &alpha = viewer("Alpha");
  model().addViewer(&zeta);
  model().addViewer(&alpha);
  ASSERT_EQ(proxy.rowCount(), 3);
  EXPECT_EQ(text(proxy, 0), "Active Viewer");
  EXPECT_EQ(text(proxy, 1), "Alpha");
  EXPECT_EQ(text(proxy, 2), "Zeta");

  alpha.rename(QStringLiteral("Zz"));
  EXPECT_EQ(text(proxy, 1), "Zeta");
  proxy.setRowHidden(0, false);
  EXPECT_EQ(text(proxy, 0), "None");
  EXPECT_EQ(proxy.rowCount(), 4);
}

} // namespace
