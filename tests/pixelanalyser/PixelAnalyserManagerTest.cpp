#include <velloro/pixelanalyser/PixelAnalyserManager.h>
#include <velloro/pixelanalyser/PixelAnalyserWidget.h>

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <memory>

using namespace Velloro::PixelAnalyser;

namespace {

QList<bool> visibility(QSignalSpy& spy) {
  QList<bool> values;
  for (const QList<QVariant>& arguments : spy) {
    values.append(arguments[0].toBool());
  }
  spy.clear();
  return values;
}

TEST(PixelAnalyserManagerTest, VisibilityChangesWithTheFirstShownAndLastHiddenPanel) {
  PixelAnalyserManager& manager = PixelAnalyserManager::Get();
  QSignalSpy spy(&manager, &PixelAnalyserManager::visibiltyChanged);
  std::unique_ptr<PixelAnalyserWidget> first(manager.createPixelAnalyserWidget());
  std::unique_ptr<PixelAnalyserWidget> second(manager.createPixelAnalyserWidget());

  first->show();
  second->show();
  EXPECT_EQ(visibility(spy), QList<bool>{true});
  EXPECT_TRUE(manager.anyPixelAnalyserVisible());
  first->hide();
  EXPECT_TRUE(visibility(spy).isEmpty());
  second->hide();
  EXPECT_EQ(visibility(spy), QList<bool>{false});
  EXPECT_FALSE(manager.anyPixelAnalyserVisible());

  // A panel destroyed while shown counts as hidden.
  first->show();
  EXPECT_EQ(visibility(spy), QList<bool>{true});
  first.reset();
  EXPECT_EQ(visibility(spy), QList<bool>{false});
  EXPECT_FALSE(manager.anyPixelAnalyserVisible());
}

} // namespace
