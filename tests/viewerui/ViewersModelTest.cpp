#include "../common/FakeViewer.h"

#include <velloro/viewerui/ViewerChooser.h>
#include <velloro/viewerui/ViewerSortProxyModel.h>
#include <velloro/viewerui/ViewersModel.h>

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <list>
#include <string>
#include <vector>

using Velloro::ViewerChooser;
using Velloro::ViewerModelItem;
using Velloro::ViewersModel;
using Strings = std::vector<std::string>;

namespace {

Strings rows(const QAbstractItemModel& model) {
  Strings texts;
  for (int row = 0; row < model.rowCount(); ++row) {
    texts.push_back(model.index(row, 0).data().toString().toStdString());
  }
  return texts;
}

std::string name(ViewerModelItem* viewer) {
  return viewer ? viewer->title().toStdString() : "null";
}

// The model is process-wide: each test ends with it empty.
class ViewersModelTest : public ::testing::Test {
protected:
  ~ViewersModelTest() override {
    model().setActiveViewer(nullptr);
    for (ViewerModelItem* viewer : QList<ViewerModelItem*>(model().viewers())) {
      model().removeViewer(viewer);
    }
  }
  static ViewersModel& model() { return ViewersModel::Instance(); }
  // A viewer that outlives the test body, so that the fixture can still remove it.
  FakeViewer& viewer(const char* title) { return m_viewers.emplace_back(QString::fromLatin1(title)); }

  QAbstractItemModelTester m_tester{&model(), QAbstractItemModelTester::FailureReportingMode::Fatal};
  std::list<FakeViewer> m_viewers;
};

TEST_F(ViewersModelTest, RowsTitlesAndLookups) {
  EXPECT_EQ(rows(model()), (Strings{"None", "Active Viewer"}));
  FakeViewer &seven = viewer("Viewer1"), &ten = viewer("ViewerTen1"), &twelve = viewer("Viewer123456");
  for (FakeViewer* item : {&seven, &ten, &twelve}) {
    model().addViewer(item);
  }
  model().setActiveViewer(&seven);
  EXPECT_EQ(rows(model()),
            (Strings{"None", "Active Viewer (Viewer1)", "Viewer1", "ViewerTen1", "Viewer123456"}));
  model().setActiveViewer(&ten);
  EXPECT_EQ(rows(model())[1], "Active Viewer (ViewerTen1)");
  model().setActiveViewer(&twelve);
  EXPECT_EQ(rows(model())[1], "Active Viewer (View..3456)");

  EXPECT_EQ(model().viewerForIndex(1), &twelve);
  EXPECT_EQ(model().viewerForIndex(0), nullptr);
  EXPECT_EQ(model().indexForViewer(&twelve).row(), 4); // never the active-viewer row
  EXPECT_EQ(model().indexForViewer(nullptr).row(), 0);
  FakeViewer stranger(QStringLiteral("Stranger"));
  EXPECT_FALSE(model().indexForViewer(&stranger).isValid());

  // A renamed active viewer updates its own row and the active-viewer row.
  QSignalSpy changed(&model(), &ViewersModel::dataChanged);
  twelve.rename(QStringLiteral("Short"));
  ASSERT_EQ(changed.size(), 2);
  EXPECT_EQ(changed[0][0].toModelIndex().row(), 4);
  EXPECT_EQ(changed[1][0].toModelIndex().row(), 1);
  // Once removed, its renames are no longer the model's business.
  model().removeViewer(&seven);
  changed.clear();
  seven.rename(QStringLiteral("Gone"));
  EXPECT_TRUE(changed.isEmpty());
}

TEST_F(ViewersModelTest, SignalsOfAddingRemovingAndShuttingDown) {
  Strings log;
  QObject context;
  using Signal = void (ViewersModel::*)(ViewerModelItem*);
  const std::pair<Signal, std::string> watched[] = {{&ViewersModel::viewerAdded, "added "},
                                                    {&ViewersModel::activeViewerChanged, "active "},
                                                    {&ViewersModel::viewerAboutToBeRemoved, "removing "},
                                                    {&ViewersModel::viewerRemoved, "removed "}};
  for (const auto& [signal, label] : watched) {
    QObject::connect(&model(), signal, &context,
                     [&log, label = label](ViewerModelItem* item) { log.push_back(label + name(item)); });
  }
  FakeViewer &a = viewer("A"), &b = viewer("B");
  model().addViewer(&a);
  model().addViewer(&a);
  model().setActiveViewer(&a);
  model().setActiveViewer(&a);
  model().removeViewer(&a);
  EXPECT_EQ(log, (Strings{"added A", "active A", "active null", "removing A", "removed A"}));

  model().addViewer(&a);
  model().addViewer(&b);
  model().setActiveViewer(&b);
  log.clear();
  model().shutdown();
  EXPECT_EQ(log, (Strings{"active null", "removing A", "removed A", "removing B", "removed B"}));
  EXPECT_EQ(model().rowCount(), 2);
  log.clear();
  model().addViewer(&a); // nobody listens any more
  EXPECT_TRUE(log.empty());
}

TEST_F(ViewersModelTest, SortProxyKeepsFixedRowsFirstAndHidesRows) {
  Velloro::ViewerSortProxyModel proxy;
  QAbstractItemModelTester proxyTester(&proxy, QAbstractItemModelTester::FailureReportingMode::Fatal);
  proxy.setRowHidden(0, true);
  FakeViewer &zeta = viewer("Zeta"), &alpha = viewer("Alpha");
  model().addViewer(&zeta);
  model().addViewer(&alpha);
  EXPECT_EQ(rows(proxy), (Strings{"Active Viewer", "Alpha", "Zeta"}));
  alpha.rename(QStringLiteral("Zz"));
  EXPECT_EQ(rows(proxy), (Strings{"Active Viewer", "Zeta", "Zz"}));
  proxy.setRowHidden(0, false);
  EXPECT_EQ(rows(proxy).front(), "None");
}

// A chooser over the viewers A, B and C, logging what it reports.
class ViewerChooserTest : public ViewersModelTest {
protected:
  ViewerChooserTest() {
    for (FakeViewer* item : {&m_a, &m_b, &m_c}) {
      model().addViewer(item);
    }
    QObject::connect(&m_chooser, &ViewerChooser::viewerChanged, &m_chooser,
                     [this](ViewerModelItem* item) { m_log.push_back("changed " + name(item)); });
    QObject::connect(&m_chooser, &ViewerChooser::viewerDisabled, &m_chooser,
                     [this](ViewerModelItem* item) { m_log.push_back("disabled " + name(item)); });
  }
  Strings takeLog() { return std::exchange(m_log, {}); }

  FakeViewer &m_a = viewer("A"), &m_b = viewer("B"), &m_c = viewer("C");
  ViewerChooser m_chooser;
  Strings m_log;
};

TEST_F(ViewerChooserTest, FollowsTheActiveViewerOnlyOnTheActiveRow) {
  ASSERT_TRUE(m_chooser.isUsingActiveViewer());
  model().setActiveViewer(&m_a);
  model().setActiveViewer(&m_b);
  EXPECT_EQ(takeLog(), (Strings{"disabled null", "changed A", "disabled A", "changed B"}));
  EXPECT_EQ(m_chooser.viewer(), &m_b);

  m_chooser.setCurrentViewer(&m_c);
  EXPECT_EQ(takeLog(), (Strings{"disabled B", "changed C"}));
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
  EXPECT_EQ(takeLog(), (Strings{"changed null"}));

  // Removing a viewer that is not chosen leaves the choice alone.
  m_chooser.setCurrentViewer(&m_c);
  takeLog();
  model().removeViewer(&m_a);
  EXPECT_EQ(m_chooser.viewer(), &m_c);
  EXPECT_EQ(m_chooser.currentText(), "C");
}

} // namespace
