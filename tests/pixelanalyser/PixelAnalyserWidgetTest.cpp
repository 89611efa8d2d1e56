#include "../common/FakeViewer.h"

#include <velloro/pixelanalyser/ColorSampleButton.h>
#include <velloro/pixelanalyser/PixelAnalyserManager.h>
#include <velloro/pixelanalyser/PixelAnalyserWidget.h>
#include <velloro/viewerui/ViewersModel.h>

#include <TesselUI/DoubleSpinBox.h>

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>

#include <memory>
#include <vector>

using namespace Velloro::PixelAnalyser;
using Velloro::ViewersModel;
using Velloro::Image::LayerPtr;

namespace {

class NullSampler : public PixelSampler {
public:
  bool computeSample(const PixelSampleOptions&, PixelSample&) override { return false; }
  void resetSampling() override { ++resets; }
  int resets = 0;
};

// The control whose tool tip starts so.
template <class Widget = QComboBox> Widget* find(const QWidget& panel, const char* toolTipStart) {
  for (Widget* widget : panel.findChildren<Widget*>()) {
    if (widget->toolTip().startsWith(QLatin1String(toolTipStart))) {
      return widget;
    }
  }
  return nullptr;
}

// The boxes r, g, b, a, h, s, v, l, x, y, w, h as shown: the value, or "off" when disabled.
std::vector<std::string> shown(const QWidget& panel) {
  std::vector<std::string> texts;
  for (const Tessel::UI::DoubleSpinBox* box : panel.findChildren<Tessel::UI::DoubleSpinBox*>()) {
    texts.push_back(box->isEnabled() ? box->text().toStdString() : box->value() == 0 ? "off" : "nonzero");
  }
  return texts;
}

// A viewer with a sampler, active in the viewers model, and a panel made by the manager.
class PixelAnalyserWidgetTest : public ::testing::Test {
protected:
  PixelAnalyserWidgetTest() {
    m_viewer.setLayers({Velloro::Image::rgbLayer, Velloro::Image::rgbaLayer});
    m_viewer.setActiveLayer(Velloro::Image::rgbaLayer);
    ViewersModel::Instance().addViewer(&m_viewer);
    ViewersModel::Instance().setActiveViewer(&m_viewer);
  }
  ~PixelAnalyserWidgetTest() override { ViewersModel::Instance().removeViewer(&m_viewer); }

  static PixelAnalyserManager& manager() { return PixelAnalyserManager::Get(); }
  std::unique_ptr<PixelAnalyserWidget> makePanel() {
    return std::unique_ptr<PixelAnalyserWidget>(manager().createPixelAnalyserWidget());
  }
  const PixelSampleOptions& options() { return manager().getSampleOptions(&m_sampler); }

  QAbstractItemModelTester m_tester{&ViewersModel::Instance(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal};
  NullSampler m_sampler;
  FakeViewer m_viewer{QStringLiteral("Viewer1"), &m_sampler};
};

TEST_F(PixelAnalyserWidgetTest, ControlsFollowTheStoreAndModeEnablesTheSelectionOptions) {
  auto panel = makePanel();
  auto second = makePanel();
  ASSERT_EQ(panel->viewer(), &m_viewer);
  // Choosing the viewer gave its sampler the channels of the viewer's layer.
  EXPECT_EQ(options().layerChannels,
            (std::array<KX::Image::Channel, 4>{KX::Image::eChannelRed, KX::Image::eChannelGreen,
                                               KX::Image::eChannelBlue, KX::Image::eChannelAlpha}));

  QCheckBox* accumulate = find<QCheckBox>(*panel, "Sampled pixels");
  QCheckBox* showSelection = find<QCheckBox>(*panel, "Shows the current");
  QPushButton* clear = find<QPushButton>(*panel, "Clears the existing");
  find(*panel, "Mode of selection")->setCurrentIndex(1);
  EXPECT_EQ(options().mode, 1);
  for (QWidget* widget : std::initializer_list<QWidget*>{accumulate, showSelection, clear}) {
    EXPECT_FALSE(widget->isEnabled());
  }
  // The other panel on the same viewer shows the same options.
  EXPECT_EQ(find(*second, "Mode of selection")->currentIndex(), 1);
  EXPECT_FALSE(find<QCheckBox>(*second, "Sampled pixels")->isEnabled());
  find(*panel, "Mode of selection")->setCurrentIndex(0);
  EXPECT_TRUE(accumulate->isEnabled() && showSelection->isEnabled() && clear->isEnabled());

  accumulate->setChecked(true);
  find(*second, "Sets the channel")->setCurrentIndex(2);
  EXPECT_TRUE(options().accumulate);
  EXPECT_EQ(options().basis, 2);
  EXPECT_TRUE(find<QCheckBox>(*second, "Sampled pixels")->isChecked());
  EXPECT_EQ(find(*panel, "Sets the channel")->currentIndex(), 2);

  clear->click();
  EXPECT_EQ(m_sampler.resets, 1);
}

TEST_F(PixelAnalyserWidgetTest, ValuesShowTheCheckedSwatchInTheChosenRange) {
  auto panel = makePanel();
  PixelSample sample;
  sample.region = QRect(QPoint(5, 6), QSize(-3, 4));
  sample.data.multiplePixels = true;
  const float average[4] = {0.5f, 0.25f, 1, 1};
  std::copy(average, average + 4, sample.data.average);
  manager().setSample(&m_sampler, sample);

  using Strings = std::vector<std::string>;
  const std::string off = "off";
  EXPECT_EQ(shown(*panel), (Strings{off, off, off, off, off, off, off, off, "5", "6", off, "4"}));
  const auto swatches = panel->findChildren<Tessel::UI::ColorSampleButton*>();
  ASSERT_EQ(swatches.size(), 5);
  EXPECT_EQ(swatches[0]->color(), nullptr); // "multiple pixels"
  swatches[3]->click();
  EXPECT_EQ(shown(*panel),
            (Strings{"0.5", "0.25", "1", "1", "260", "0.75", "1", "0.3572", "5", "6", off, "4"}));

  // The range changes the numbers only.
  const PixelSampleOptions before = options();
  find(*panel, "The numeric range")->setCurrentIndex(1);
  EXPECT_EQ(shown(*panel),
            (Strings{"128", "64", "255", "255", "184", "191", "255", "91", "5", "6", off, "4"}));
  EXPECT_EQ(options(), before);
}

TEST_F(PixelAnalyserWidgetTest, LayerListOffersTheCurrentLayerAndTheViewersLayers) {
  auto panel = makePanel();
  QComboBox* layers = find(*panel, "The channel layer");
  ASSERT_EQ(layers->count(), 3);
  EXPECT_TRUE(layers->isEnabled());
  EXPECT_EQ(layers->itemText(0), "current layer");
  EXPECT_EQ(layers->itemText(1), "rgb");

  layers->setCurrentIndex(1);
  EXPECT_EQ(options().layerChannels[3], KX::Image::eChannelNone);
  EXPECT_FALSE(options().channels.contains(KX::Image::eChannelAlpha));
  EXPECT_TRUE(options().channels.contains(KX::Image::eChannelBlue));

  // A new active layer keeps an explicit choice; on "current layer" it is applied.
  m_viewer.setActiveLayer(Velloro::Image::rgbaLayer);
  EXPECT_EQ(layers->currentIndex(), 1);
  layers->setCurrentIndex(0);
  EXPECT_EQ(options().layerChannels[3], KX::Image::eChannelAlpha);
  m_viewer.setActiveLayer(Velloro::Image::rgbLayer);
  EXPECT_EQ(options().layerChannels[3], KX::Image::eChannelNone);
  m_viewer.setActiveLayer(nullptr);
  EXPECT_TRUE(options().channels.empty());

  // A panel whose viewer is removed follows the active viewer, not the next one in the list.
  NullSampler otherSampler;
  FakeViewer other(QStringLiteral("Other"), &otherSampler);
  QComboBox* viewers = find(*panel, "The Viewer");
  QAbstractItemModelTester listTester(viewers->model(),
                                      QAbstractItemModelTester::FailureReportingMode::Fatal);
  ViewersModel::Instance().addViewer(&other);
  viewers->setCurrentIndex(viewers->findText(QStringLiteral("Other")));
  EXPECT_EQ(panel->viewer(), &other);
  ViewersModel::Instance().removeViewer(&other);
  EXPECT_EQ(viewers->currentIndex(), 0);
  EXPECT_EQ(panel->viewer(), &m_viewer);

  // Without a viewer there is nothing to choose and nothing to show.
  ViewersModel::Instance().setActiveViewer(nullptr);
  EXPECT_EQ(panel->viewer(), nullptr);
  EXPECT_FALSE(layers->isEnabled());
  EXPECT_EQ(shown(*panel).front(), "off");
}

TEST_F(PixelAnalyserWidgetTest, VisibilityChangesWithTheFirstShownAndLastHiddenPanel) {
  QSignalSpy spy(&manager(), &PixelAnalyserManager::visibiltyChanged);
  const auto visibility = [&spy] {
    QList<bool> values;
    for (const QList<QVariant>& arguments : spy) {
      values.append(arguments[0].toBool());
    }
    spy.clear();
    return values;
  };
  auto first = makePanel();
  auto second = makePanel();
  first->show();
  second->show();
  EXPECT_EQ(visibility(), QList<bool>{true});
  EXPECT_TRUE(manager().anyPixelAnalyserVisible());
  first->hide();
  EXPECT_TRUE(visibility().isEmpty());
  second->hide();
  EXPECT_EQ(visibility(), QList<bool>{false});
  EXPECT_FALSE(manager().anyPixelAnalyserVisible());

  // A panel destroyed while shown counts as hidden.
  first->show();
  EXPECT_EQ(visibility(), QList<bool>{true});
  first.reset();
  EXPECT_EQ(visibility(), QList<bool>{false});
  EXPECT_FALSE(manager().anyPixelAnalyserVisible());
}

} // namespace
