#include <velloro/views/ViewDataModel.h>

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <limits>
#include <string>
#include <vector>

using Velloro::View;
using Velloro::ViewButton;
using Velloro::ViewDataModel;
using Velloro::ViewSettings;

namespace {

using Strings = std::vector<std::string>;

std::string cell(const QModelIndex& index) {
  return std::to_string(index.row()) + "," + std::to_string(index.column());
}

std::string span(int first, int last) {
  return std::to_string(first) + "-" + std::to_string(last);
}

// Every signal of the model, in the order emitted, as short readable entries.
class SignalLog {
public:
  explicit SignalLog(ViewDataModel& model) {
    auto add = [this](const std::string& entry) { m_events.push_back(entry); };
    QObject::connect(&model, &ViewDataModel::viewsChanged, &m_context, [add] { add("views"); });
    QObject::connect(&model, &ViewDataModel::heroViewChanged, &m_context, [add] { add("hero"); });
    QObject::connect(&model, &ViewDataModel::modelReset, &m_context, [add] { add("reset"); });
    QObject::connect(&model, &ViewDataModel::error, &m_context,
                     [add](const QString& message) { add("error " + message.toStdString()); });
    QObject::connect(
        &model, &ViewDataModel::rowsInserted, &m_context,
        [add](const QModelIndex&, int first, int last) { add("inserted " + span(first, last)); });
    QObject::connect(&model, &ViewDataModel::rowsRemoved, &m_context,
                     [add](const QModelIndex&, int first, int last) { add("removed " + span(first, last)); });
    QObject::connect(&model, &ViewDataModel::dataChanged, &m_context,
                     [add](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                       add("data " + cell(topLeft) + " " + cell(bottomRight));
                     });
  }

  // The entries so far; the log starts again empty.
  Strings take() { return std::exchange(m_events, {}); }

private:
  QObject m_context;
  Strings m_events;
};

// Views of the given names, with no colour.
std::vector<View> viewsNamed(const Strings& names) {
  std::vector<View> views;
  for (const std::string& name : names) {
    views.emplace_back(name, QColor());
  }
  return views;
}

class ViewDataModelTest : public ::testing::Test {
protected:
  Strings names() const { return model.getViewNames(); }

  ViewDataModel model;
  // Qt's own checker of the model contract: any wrong index or signal order aborts the test.
  QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
  SignalLog log{model};
};

} // namespace

TEST_F(ViewDataModelTest, StereoAndMonoSetUp) {
  EXPECT_EQ(model.flags(QModelIndex()), Qt::NoItemFlags);
  EXPECT_EQ(Velloro::DefaultColorForViewName("Left"), QColor(Qt::white));

  model.setUpViewsForStereo();
  EXPECT_EQ(log.take(), (Strings{"hero", "reset", "views"}));
  EXPECT_EQ(names(), (Strings{"left", "right"}));
  EXPECT_EQ(model.heroViewIndex(), 0);
  EXPECT_TRUE(model.hasMultipleViews());
  EXPECT_EQ(model.data(model.index(1, 0), Qt::EditRole).toString(), "right");
  EXPECT_EQ(model.data(model.index(0, 1)).value<QColor>(), QColor(Qt::red));
  EXPECT_EQ(model.data(model.index(1, 1)).value<QColor>(), QColor(Qt::green));
  EXPECT_EQ(model.flags(model.index(1, 1)), Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled);
  EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "View");
  EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Color");

  model.setUpViewForMono();
  // The old hero goes with the old views, and the first new view becomes the hero.
  EXPECT_EQ(log.take(), (Strings{"hero", "hero", "reset", "views"}));
  EXPECT_EQ(names(), (Strings{"main"}));
  EXPECT_EQ(model.view(0).colour(), QColor(Qt::white));
  EXPECT_EQ(model.heroViewIndex(), 0);
  EXPECT_FALSE(model.hasMultipleViews());
}

TEST_F(ViewDataModelTest, AppendingKeepsTheFirstOfEachNameAndFillsColours) {
  model.setViews({View("left", QColor()), View("right", Qt::blue), View("left", Qt::yellow)});
  EXPECT_EQ(log.take(), (Strings{"hero", "reset", "views"}));
  EXPECT_EQ(names(), (Strings{"left", "right"}));
  EXPECT_EQ(model.view(0).colour(), QColor(Qt::red));
  EXPECT_EQ(model.view(1).colour(), QColor(Qt::blue));

  model.setViews({});
  EXPECT_EQ(log.take(), (Strings{"hero", "reset", "views"}));
  EXPECT_EQ(model.heroViewIndex(), -1);
  // Nothing to append: no hero, and no rows announced.
  model.setViews({});
  EXPECT_EQ(log.take(), (Strings{"reset", "views"}));

  EXPECT_FALSE(model.addView("", Qt::blue));
  ASSERT_TRUE(model.addView("main", QColor()));
  EXPECT_EQ(log.take(), (Strings{"hero", "inserted 0-0", "views"}));
  EXPECT_EQ(model.view(0).colour(), QColor(Qt::white));
  ASSERT_TRUE(model.addView("left", Qt::blue));
  EXPECT_EQ(log.take(), (Strings{"inserted 1-1", "views"}));
  EXPECT_FALSE(model.addView("main", Qt::blue));
  EXPECT_FALSE(model.removeView("right"));
  EXPECT_TRUE(log.take().empty());
  ASSERT_TRUE(model.removeView("left"));
  EXPECT_EQ(log.take(), (Strings{"removed 1-1", "views"}));
  EXPECT_EQ(names(), (Strings{"main"}));
}

TEST_F(ViewDataModelTest, ApplyingSettings) {
  QSignalSpy showColours(&model, &ViewDataModel::showColoursChanged);
  QSignalSpy displayMode(&model, &ViewDataModel::displayModeChanged);
  model.applyViewSettings({{View("a", Qt::cyan), View("b", QColor()), View("c", Qt::magenta)}, 2, true});
  EXPECT_EQ(log.take(), (Strings{"hero", "reset", "views", "hero"}));
  EXPECT_EQ(names(), (Strings{"a", "b", "c"}));
  EXPECT_EQ(model.view(1).colour(), QColor(Qt::white));
  EXPECT_EQ(model.heroViewIndex(), 2);
  ASSERT_EQ(showColours.count(), 1);
  EXPECT_TRUE(showColours.at(0).at(0).toBool());

  // The display mode is not part of the settings, and changes only when it differs.
  model.setDisplayMode(ViewButton::eDropDownMenu);
  model.setDisplayMode(ViewButton::eDropDownMenu);
  ASSERT_EQ(displayMode.count(), 1);
  EXPECT_EQ(displayMode.at(0).at(0).value<ViewButton::Mode>(), ViewButton::eDropDownMenu);
  const ViewSettings saved = model.getViewSettings();
  EXPECT_EQ(saved.views.size(), 3u);
  EXPECT_EQ(saved.heroViewIndex, 2);
  EXPECT_TRUE(saved.showColours);
}

TEST_F(ViewDataModelTest, InsertedRowsAreNumberedAfterTheLastView) {
  model.setUpViewsForStereo();
  log.take();
  ASSERT_TRUE(model.insertRows(2, 2));
  EXPECT_EQ(log.take(), (Strings{"inserted 2-3", "views"}));
  EXPECT_EQ(names(), (Strings{"left", "right", "view3", "view4"}));
  EXPECT_EQ(model.view(3).colour(), QColor(Qt::white));

  // Four views: numbering starts at 5. Rows arrive before row 1, in order.
  ASSERT_TRUE(model.insertRows(1, 2));
  EXPECT_EQ(names(), (Strings{"left", "view5", "view6", "right", "view3", "view4"}));

  // A taken name is skipped: six views, view7 free, then view8.
  model.setViews(viewsNamed({"view3", "view4", "view6"}));
  ASSERT_TRUE(model.insertRows(0, 2));
  EXPECT_EQ(names(), (Strings{"view5", "view7", "view3", "view4", "view6"}));
  log.take();

  // A row past the last appends, and the rows are announced where they go.
  ASSERT_TRUE(model.insertRows(40, 1));
  EXPECT_EQ(log.take(), (Strings{"inserted 5-5", "views"}));
  EXPECT_EQ(model.view(5).name(), "view8");

  EXPECT_FALSE(model.insertRows(-1, 1));
  EXPECT_FALSE(model.insertRows(0, 0));
  EXPECT_FALSE(model.insertRows(0, 1, model.index(0, 0)));
  // Counts no model can hold are refused before anything is allocated.
  EXPECT_FALSE(model.insertRows(0, std::numeric_limits<int>::max() - 6));
  EXPECT_FALSE(model.insertRows(0, ViewDataModel::kMaxViewCount - 5));
  EXPECT_TRUE(log.take().empty());
  EXPECT_EQ(model.viewCount(), 6);
}

TEST_F(ViewDataModelTest, RenameRefusals) {
  model.setUpViewsForStereo();
  log.take();
  const std::string special = "error View names cannot start with special characters or numbers";
  EXPECT_FALSE(model.setData(model.index(0, 0), QStringLiteral("2nd")));
  EXPECT_FALSE(model.setData(model.index(0, 0), QStringLiteral("_left")));
  EXPECT_FALSE(model.setData(model.index(0, 0), QStringLiteral("right")));
  EXPECT_EQ(log.take(), (Strings{special, special, "error The name 'right' is already used."}));

  // Silent refusals: the same name, an empty name, another role, a row or column outside.
  EXPECT_FALSE(model.setData(model.index(0, 0), QStringLiteral("left")));
  EXPECT_FALSE(model.setData(model.index(0, 0), QString()));
  EXPECT_FALSE(model.setData(model.index(0, 0), QStringLiteral("port"), Qt::DisplayRole));
  EXPECT_FALSE(model.setData(model.index(2, 0), QStringLiteral("port")));
  EXPECT_FALSE(model.setData(model.index(0, 1), QStringLiteral("no colour at all")));
  EXPECT_TRUE(log.take().empty());
  EXPECT_EQ(names(), (Strings{"left", "right"}));
  EXPECT_EQ(model.view(0).colour(), QColor(Qt::red));

  ASSERT_TRUE(model.setData(model.index(1, 0), QString::fromUtf8("\xC3\xA9toile")));
  EXPECT_EQ(log.take(), (Strings{"data 1,0 1,0", "views"}));
  EXPECT_EQ(model.view(1).name(), "\xC3\xA9toile");
  ASSERT_TRUE(model.setData(model.index(1, 1), QStringLiteral("#0000ff")));
  EXPECT_EQ(log.take(), (Strings{"data 1,1 1,1", "views"}));
  EXPECT_EQ(model.view(1).colour(), QColor(Qt::blue));
}

TEST_F(ViewDataModelTest, HeroFollowsInsertionsAndRemovalsAndIsClamped) {
  // On an empty model the first inserted row becomes the hero.
  ASSERT_TRUE(model.insertRows(0, 1));
  EXPECT_EQ(log.take(), (Strings{"hero", "inserted 0-0", "views"}));
  EXPECT_EQ(model.view(0).name(), "view1");

  model.setViews(viewsNamed({"a", "b", "c", "d"}));
  model.setHeroViewIndex(3);
  log.take();
  // Rows above the hero move it; rows below leave it alone.
  ASSERT_TRUE(model.insertRows(0, 2));
  EXPECT_EQ(log.take(), (Strings{"hero", "inserted 0-1", "views"}));
  EXPECT_EQ(model.heroViewIndex(), 5);
  ASSERT_TRUE(model.insertRows(6, 1));
  EXPECT_EQ(log.take(), (Strings{"inserted 6-6", "views"}));
  ASSERT_TRUE(model.removeRows(0, 2));
  EXPECT_EQ(log.take(), (Strings{"hero", "removed 0-1", "views"}));
  EXPECT_EQ(model.heroViewIndex(), 3);
  EXPECT_EQ(model.view(3).name(), "d");
  ASSERT_TRUE(model.removeRows(4, 1));
  EXPECT_EQ(log.take(), (Strings{"removed 4-4", "views"}));

  // Removing the hero makes row 0 the hero, and says so even when the row number stays 0.
  ASSERT_TRUE(model.removeRows(3, 1));
  EXPECT_EQ(log.take(), (Strings{"hero", "removed 3-3", "views"}));
  EXPECT_EQ(model.heroViewIndex(), 0);
  ASSERT_TRUE(model.removeRows(0, 1));
  EXPECT_EQ(log.take(), (Strings{"hero", "removed 0-0", "views"}));
  EXPECT_EQ(model.heroViewIndex(), 0);

  EXPECT_FALSE(model.removeRows(0, 0));
  EXPECT_FALSE(model.removeRows(-1, 1));
  EXPECT_FALSE(model.removeRows(2, 1));
  EXPECT_FALSE(model.removeRows(1, 2));
  EXPECT_FALSE(model.removeRows(0, 1, model.index(0, 0)));
  EXPECT_TRUE(log.take().empty());

  ASSERT_TRUE(model.removeRows(0, 2));
  EXPECT_EQ(log.take(), (Strings{"hero", "removed 0-1", "views"}));
  EXPECT_EQ(model.heroViewIndex(), -1);

  model.setUpViewsForStereo();
  log.take();
  model.setHeroViewIndex(7);
  EXPECT_EQ(model.heroViewIndex(), -1);
  model.setHeroViewIndex(-4);
  EXPECT_EQ(log.take(), (Strings{"hero"}));
  model.setHeroViewIndex(1);
  EXPECT_EQ(model.heroViewIndex(), 1);
}

TEST_F(ViewDataModelTest, SwapExchangesRowsAndTheHeroFollows) {
  model.setViews(viewsNamed({"a", "b", "c", "d"}));
  log.take();

  ASSERT_TRUE(model.swap(3, 0));
  EXPECT_EQ(log.take(), (Strings{"hero", "data 0,0 3,1", "views"}));
  EXPECT_EQ(names(), (Strings{"d", "b", "c", "a"}));
  EXPECT_EQ(model.heroViewIndex(), 3);

  ASSERT_TRUE(model.swap(1, 2));
  EXPECT_EQ(log.take(), (Strings{"data 1,0 2,1", "views"}));

  ASSERT_TRUE(model.swap(2, 3));
  EXPECT_EQ(model.heroViewIndex(), 2);

  EXPECT_FALSE(model.swap(1, 1));
  EXPECT_FALSE(model.swap(0, 4));
  EXPECT_FALSE(model.swap(-1, 0));
  EXPECT_EQ(names(), (Strings{"d", "c", "a", "b"}));
}

TEST_F(ViewDataModelTest, NamesKeepTheirIds) {
  model.setUpViewsForStereo();
  const int leftId = model.view(0).id();
  const int rightId = model.view(1).id();
  EXPECT_NE(leftId, rightId);
  EXPECT_EQ(model.viewFromId(rightId).name(), "right");

  ASSERT_TRUE(model.removeView("left"));
  ASSERT_TRUE(model.addView("left", Qt::red));
  EXPECT_EQ(model.viewFromName("left").id(), leftId);
  EXPECT_EQ(model.viewIndex(model.viewFromId(leftId)), 1);

  ASSERT_TRUE(model.setData(model.index(0, 0), QStringLiteral("other")));
  const int otherId = model.view(0).id();
  EXPECT_NE(otherId, rightId);
  EXPECT_NE(otherId, leftId);
  ASSERT_TRUE(model.setData(model.index(0, 0), QStringLiteral("right")));
  EXPECT_EQ(model.view(0).id(), rightId);
  // Settings put back into the same model keep their ids.
  model.applyViewSettings(model.getViewSettings());
  EXPECT_EQ(model.viewFromName("right").id(), rightId);
  EXPECT_EQ(model.viewFromName("left").id(), leftId);

  // Another model draws from the same counter, so its ids are new.
  ViewDataModel other;
  other.setUpViewsForStereo();
  EXPECT_GT(other.view(0).id(), otherId);
  EXPECT_EQ(model.viewIndex(other.view(0)), -1);

  EXPECT_EQ(model.view(2).id(), View::kInvalidViewId);
  EXPECT_EQ(model.viewFromId(otherId + 1000).id(), View::kInvalidViewId);
  EXPECT_EQ(model.viewFromName("nobody").name(), "");
}
