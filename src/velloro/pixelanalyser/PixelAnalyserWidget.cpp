#include <velloro/pixelanalyser/PixelAnalyserWidget.h>

#include <velloro/pixelanalyser/ColorSampleButton.h>
#include <velloro/pixelanalyser/DisplayValues.h>
#include <velloro/pixelanalyser/PixelAnalyserManager.h>
#include <velloro/pixelanalyser/PixelSampler.h>
#include <velloro/viewerui/ViewerModelItem.h>
#include <velloro/viewerui/ViewerSortProxyModel.h>
#include <velloro/viewerui/ViewersModel.h>

#include <TesselUI/DoubleSpinBox.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include <limits>

namespace Velloro::PixelAnalyser {

namespace {

enum Swatch { eCurrent = 0, eMin, eMax, eAverage, eMedian };

constexpr int kComboHeight = 20;
constexpr int kMargin = 3;
constexpr int kCurrentLayerItem = 0;
// The viewer list hides "None", so the active-viewer row comes first.
constexpr int kActiveViewerItem = 0;

const char* const kSwatchLabels[] = {"current", "min", "max", "average", "median"};
const char* const kSwatchToolTips[] = {
    "The value of the last pixel to be selected. Displays 'multiple pixels' when a region box selection is ",
    "used.",
    "Minimum value of all the pixels in the current selection, according to the min/max setting.",
    "Maximum value of all the pixels in the current selection, according to the min/max setting.",
    "Average value of all the pixels in the current selection.",
    "The middle value of all the pixels in the current selection, according to the min/max setting.",
};
const char* const kBasisLabels[] = {"r", "g", "b", "a", "h", "s", "v", "l"};

bool IsOn(int checkState) {
  return checkState == Qt::Checked;
}

Tessel::UI::DoubleSpinBox* MakeValueBox(QWidget* parent) {
  auto* box = new Tessel::UI::DoubleSpinBox(parent);
  box->setRange(-std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
  box->setReadOnly(true);
  box->setButtonSymbols(QAbstractSpinBox::NoButtons);
  return box;
}

// A row of spin boxes as one cell of the grid.
QWidget* BoxRow(QWidget* parent, Tessel::UI::DoubleSpinBox** boxes, std::size_t count) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  for (std::size_t index = 0; index < count; ++index) {
    boxes[index] = MakeValueBox(row);
    layout->addWidget(boxes[index]);
  }
  return row;
}

// The colour a swatch shows from the sample, or null when it has none.
const float* SwatchColour(int swatch, const PixelSample& sample) {
  const Image::SampleData& data = sample.data;
  switch (swatch) {
  case eMin:
    return data.min;
  case eMax:
    return data.max;
  case eAverage:
    return data.average;
  case eMedian:
    return data.medianPending ? nullptr : data.median;
  default:
    return data.multiplePixels ? nullptr : data.current;
  }
}

} // namespace

PixelAnalyserWidget::PixelAnalyserWidget(QWidget* parent)
    : QWidget(parent)
    , m_swatchGroup(new QButtonGroup(this))
    , m_viewerList(new ViewerSortProxyModel(this))
    , m_viewerCombo(new QComboBox(this))
    , m_layerCombo(new QComboBox(this))
    , m_modeCombo(new QComboBox(this))
    , m_accumulate(new QCheckBox(QStringLiteral("accumulate"), this))
    , m_showSelection(new QCheckBox(QStringLiteral("show selection"), this))
    , m_clearSelection(new QPushButton(QStringLiteral("clear selection"), this))
    , m_rangeCombo(new QComboBox(this))
    , m_basisCombo(new QComboBox(this))
    , m_liveMedian(new QCheckBox(QStringLiteral("live median update"), this)) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto addLabel = [this, grid](const char* text, int row) {
    grid->addWidget(new QLabel(QString::fromLatin1(text), this), row, 0);
  };
  auto rowOf = [this](std::initializer_list<QWidget*> widgets) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : widgets) {
      layout->addWidget(widget);
    }
    layout->addStretch();
    return row;
  };

  // Row 0: the swatches.
  auto* swatchRow = new QWidget(this);
  auto* swatchLayout = new QHBoxLayout(swatchRow);
  swatchLayout->setContentsMargins(0, 0, 0, 0);
  for (int id = eCurrent; id <= eMedian; ++id) {
    auto* swatch = new Tessel::UI::ColorSampleButton(
        QString::fromLatin1(kSwatchLabels[id]), QString::fromLatin1(kSwatchToolTips[id]),
        id == eCurrent ? QStringLiteral("multiple pixels") : QString(), swatchRow);
    m_swatches[std::size_t(id)] = swatch;
    m_swatchGroup->addButton(swatch, id);
    swatchLayout->addWidget(swatch);
  }
  swatchLayout->addStretch();
  m_swatches[eCurrent]->setChecked(true);
  m_swatches[eCurrent]->setCheckedLook(true);
  grid->addWidget(swatchRow, 0, 1);

  // Row 1: where the pixels come from.
  m_viewerList->setRowHidden(0, true);
  m_viewerCombo->setModel(m_viewerList);
  m_viewerCombo->setToolTip(QStringLiteral("The Viewer pixels will be sampled from."));
  m_viewerCombo->setMaximumHeight(kComboHeight);
  m_viewerCombo->setPlaceholderText(QStringLiteral("no viewers found"));
  m_viewerCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  m_layerCombo->setToolTip(QStringLiteral("The channel layer pixels will be sampled from."));
  m_layerCombo->setEnabled(false);
  addLabel("sample", 1);
  grid->addWidget(rowOf({m_viewerCombo, m_layerCombo}), 1, 1);

  // Row 2: how.
  m_modeCombo->addItems(QStringLiteral("pixel selection\tfull frame").split(QLatin1Char('\t')));
  m_modeCombo->setCurrentIndex(PixelSampleOptions::ePixelSelection);
  m_modeCombo->setMaximumHeight(kComboHeight);
  m_modeCombo->setToolTip(QStringLiteral(
      "Mode of selection: 'pixel selection' samples the pixels you pick or the region box you draw in "
      "the Viewer; 'full frame' samples every pixel of the image."));
  m_accumulate->setToolTip(QStringLiteral(
      "Sampled pixels will persist until the 'clear selection' option is used, or a region box is drawn. "
      "Allows you to sample different areas. Does not apply for region box selection."));
  m_showSelection->setToolTip(QStringLiteral("Shows the current selection of pixels in the Viewer. Does not "
                                             "apply for region box selection, or full frame mode."));
  m_showSelection->setChecked(true);
  addLabel("mode", 2);
  grid->addWidget(rowOf({m_modeCombo, m_accumulate, m_showSelection}), 2, 1);

  // Row 3: the values, one grid row per group so that each has its label.
  auto* values = new QWidget(this);
  auto* valuesLayout = new QGridLayout(values);
  valuesLayout->setContentsMargins(0, 0, 0, 0);
  const char* const groupLabels[] = {"rgba", "hsvl", "xywh"};
  Tessel::UI::DoubleSpinBox** groups[] = {&m_valueBoxes[0], &m_valueBoxes[4], &m_regionBoxes[0]};
  for (int group = 0; group < 3; ++group) {
    valuesLayout->addWidget(new QLabel(QString::fromLatin1(groupLabels[group]), values), group, 0);
    valuesLayout->addWidget(BoxRow(values, groups[group], 4), group, 1);
  }
  grid->addWidget(values, 3, 0, 1, 2);

  // Row 4.
  m_clearSelection->setToolTip(
      QStringLiteral("Clears the existing selection, and resets the rgba, hsvl and xywh values to default."));
  grid->addWidget(rowOf({m_clearSelection}), 4, 1);

  // Rows 5 to 7: how the values are shown and ordered.
  m_rangeCombo->addItems(DisplayRangeLabels());
  m_rangeCombo->setCurrentIndex(eNativeFloatingPoint);
  m_rangeCombo->setToolTip(QStringLiteral("The numeric range displayed in the rgba and hsvl knobs."));
  addLabel("range", 5);
  grid->addWidget(rowOf({m_rangeCombo}), 5, 1);

  for (int basis = PixelSampleOptions::eRed; basis <= PixelSampleOptions::eLuminance; ++basis) {
    m_basisCombo->addItem(QString::fromLatin1(kBasisLabels[basis]), basis);
  }
  m_basisCombo->setCurrentIndex(m_basisCombo->findData(int(PixelSampleOptions::eLuminance)));
  m_basisCombo->setToolTip(
      QStringLiteral("Sets the channel used for calculating the 'min', 'max', and 'median' swatch values."));
  addLabel("min/max", 6);
  grid->addWidget(rowOf({m_basisCombo}), 6, 1);

  m_liveMedian->setToolTip(QStringLiteral(
      "The Median swatch value takes longer to process than the others. When this is on it is updated "
      "while a region box is being dragged; when it is off it is updated once the mouse button is "
      "released."));
  grid->addWidget(m_liveMedian, 7, 1);

  connect(m_viewerCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
          &PixelAnalyserWidget::viewerChanged);
  connect(&ViewersModel::Instance(), &ViewersModel::activeViewerChanged, this,
          &PixelAnalyserWidget::viewerChanged);
  // Once its row is gone the combo box would move to a neighbouring viewer on its own: a panel
  // whose viewer goes away follows the active viewer instead.
  connect(&ViewersModel::Instance(), &ViewersModel::viewerAboutToBeRemoved, this,
          [this](ViewerModelItem* viewer) {
            if (viewer == m_viewer && m_viewerCombo->currentIndex() != kActiveViewerItem) {
              m_viewerCombo->setCurrentIndex(kActiveViewerItem);
            }
          });
  connect(m_layerCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
          &PixelAnalyserWidget::layerChanged);
  connect(m_modeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
          &PixelAnalyserWidget::sampleModeChanged);
  connect(m_accumulate, &QCheckBox::stateChanged, this, &PixelAnalyserWidget::accumulateStateChanged);
  connect(m_showSelection, &QCheckBox::stateChanged, this,
          &PixelAnalyserWidget::showSamplePixelsStateChanged);
  connect(m_rangeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
          &PixelAnalyserWidget::colourRangeSelectionChanged);
  connect(m_basisCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
          &PixelAnalyserWidget::basisChanged);
  connect(m_liveMedian, &QCheckBox::stateChanged, this, &PixelAnalyserWidget::medianSamplingStateChanged);
  for (Tessel::UI::ColorSampleButton* swatch : m_swatches) {
    connect(swatch, &QAbstractButton::toggled, this, &PixelAnalyserWidget::sampleButtonToggled);
  }
  connect(m_clearSelection, &QPushButton::clicked, this, &PixelAnalyserWidget::resetSamplesClicked);

  refreshValues();
  viewerChanged();
}

PixelAnalyserWidget::~PixelAnalyserWidget() = default;

PixelSampler* PixelAnalyserWidget::sampler() const {
  return m_viewer ? m_viewer->pixelSampler() : nullptr;
}

PixelSampleOptions PixelAnalyserWidget::currentOptions() const {
  return m_viewer ? PixelAnalyserManager::Get().getSampleOptions(sampler())
                  : PixelAnalyserModel::DefaultOptions();
}

void PixelAnalyserWidget::storeOptions(const PixelSampleOptions& options) {
  if (m_viewer) {
    PixelAnalyserManager::Get().setSampleOptions(sampler(), options);
  }
}

void PixelAnalyserWidget::sampleChanged(PixelSampler* sampler, const PixelSample&) {
  if (m_viewer && sampler == this->sampler()) {
    refreshValues();
  }
}

void PixelAnalyserWidget::sampleOptionsChanged(PixelSampler* sampler, const PixelSampleOptions& options) {
  if (m_viewer && sampler == this->sampler()) {
    refreshControls(options);
  }
}

void PixelAnalyserWidget::refreshControls(const PixelSampleOptions& options) {
  {
    const QSignalBlocker blockMode(m_modeCombo);
    const QSignalBlocker blockAccumulate(m_accumulate);
    const QSignalBlocker blockShowSelection(m_showSelection);
    const QSignalBlocker blockRange(m_rangeCombo);
    const QSignalBlocker blockBasis(m_basisCombo);
    const QSignalBlocker blockLiveMedian(m_liveMedian);
    m_modeCombo->setCurrentIndex(options.mode);
    m_accumulate->setChecked(options.accumulate);
    m_showSelection->setChecked(options.showSelection);
    m_basisCombo->setCurrentIndex(options.basis);
    m_liveMedian->setChecked(options.liveMedian);
  }
  enableSelectionControls(options.mode);
}

void PixelAnalyserWidget::enableSelectionControls(int mode) {
  const bool selecting = mode != PixelSampleOptions::eFullFrame;
  m_accumulate->setEnabled(selecting);
  m_showSelection->setEnabled(selecting);
  m_clearSelection->setEnabled(selecting);
}

void PixelAnalyserWidget::refreshValues() {
  const PixelSample& sample = PixelAnalyserManager::Get().getSample(sampler());
  const int checked = std::max(m_swatchGroup->checkedId(), int(eCurrent));
  // Without a sampler there is nothing to show, not even the zeros of the empty sample.
  const bool sampled = sampler() != nullptr;
  const float* colour = sampled ? SwatchColour(checked, sample) : nullptr;
  if (colour) {
    const std::array<double, 8> shown = DisplayValues(colour, m_rangeCombo->currentIndex());
    for (std::size_t index = 0; index < m_valueBoxes.size(); ++index) {
      m_valueBoxes[index]->setEnabled(true);
      m_valueBoxes[index]->setValue(shown[index]);
    }
  } else {
    for (Tessel::UI::DoubleSpinBox* box : m_valueBoxes) {
      box->setValue(0);
      box->setEnabled(false);
    }
  }

  // Without a sampler the swatches would go on showing the last viewer's colours.
  for (int id = eCurrent; id <= eMedian; ++id) {
    m_swatches[std::size_t(id)]->setColor(sampled ? SwatchColour(id, sample) : nullptr, sample.displayLut);
  }
  const QRect& region = sample.region;
  m_regionBoxes[0]->setValue(region.x());
  m_regionBoxes[1]->setValue(region.y());
  const int size[] = {region.width(), region.height()};
  for (std::size_t index = 0; index < 2; ++index) {
    m_regionBoxes[index + 2]->setEnabled(size[index] >= 0);
    m_regionBoxes[index + 2]->setValue(std::max(size[index], 0));
  }
  update();
}

void PixelAnalyserWidget::viewerChanged() {
  const QModelIndex row = m_viewerList->index(m_viewerCombo->currentIndex(), 0);
  ViewerModelItem* viewer = ViewersModel::Instance().viewerForIndex(m_viewerList->mapToSource(row));
  if (viewer == m_viewer) {
    return;
  }
  disconnect(m_activeLayerConnection);
  m_activeLayerConnection = {};
  if (viewer && viewer->qObject()) {
    m_activeLayerConnection = connect(viewer->qObject(), SIGNAL(activeLayerChanged(Velloro::Image::LayerPtr)),
                                      this, SLOT(activeLayerChanged(Velloro::Image::LayerPtr)));
  }
  m_viewer = viewer;
  // The controls show the options of the viewer now followed, not those of the last one.
  refreshControls(currentOptions());
  refreshValues();
  if (!m_viewer) {
    const QSignalBlocker blocker(m_layerCombo);
    m_layerCombo->clear();
    m_layerCombo->setEnabled(false);
    return;
  }
  const bool onCurrentLayer = rebuildLayerList();
  // A sampler that nobody has set up yet would have its samples dropped: give it its channels.
  if (onCurrentLayer && sampler() && !PixelAnalyserManager::Get().model().contains(sampler())) {
    applyLayer(m_layerCombo->itemData(kCurrentLayerItem).value<Image::LayerPtr>());
  }
}

bool PixelAnalyserWidget::rebuildLayerList() {
  m_layerCombo->setEnabled(true);
  const QSignalBlocker blocker(m_layerCombo);
  const Image::LayerPtr chosen = m_layerCombo->currentIndex() > kCurrentLayerItem
                                     ? m_layerCombo->currentData().value<Image::LayerPtr>()
                                     : Image::LayerPtr();
  m_layerCombo->clear();
  m_layerCombo->addItem(QStringLiteral("current layer"), QVariant::fromValue(m_viewer->activeLayer()));
  int chosenItem = kCurrentLayerItem;
  for (const Image::LayerPtr& layer : m_viewer->layers()) {
    if (!layer) {
      continue;
    }
    if (chosen && layer == chosen) {
      chosenItem = m_layerCombo->count();
    }
    m_layerCombo->addItem(QString::fromStdString(layer->name()), QVariant::fromValue(layer));
  }
  m_layerCombo->setCurrentIndex(chosenItem);
  return chosenItem == kCurrentLayerItem;
}

void PixelAnalyserWidget::applyLayer(const Image::LayerPtr& layer) {
  PixelSampleOptions options = currentOptions();
  if (layer) {
    options.channels.clear();
    for (unsigned index = 0; index < options.layerChannels.size(); ++index) {
      options.layerChannels[index] =
          index < layer->size() ? layer->assignChannel(index) : KX::Image::eChannelNone;
      options.channels += options.layerChannels[index];
    }
  } else {
    options.channels = KX::Image::ChannelSet(KX::Image::eChannelNone);
  }
  storeOptions(options);
}

void PixelAnalyserWidget::layerChanged(int index) {
  const QVariant data = m_layerCombo->itemData(index);
  if (data.canConvert<Image::LayerPtr>()) {
    applyLayer(data.value<Image::LayerPtr>());
  }
}

void PixelAnalyserWidget::activeLayerChanged(Image::LayerPtr) {
  if (m_viewer && rebuildLayerList()) {
    applyLayer(m_layerCombo->itemData(kCurrentLayerItem).value<Image::LayerPtr>());
  }
}

void PixelAnalyserWidget::sampleButtonToggled(bool checked) {
  auto* swatch = qobject_cast<Tessel::UI::ColorSampleButton*>(sender());
  if (!swatch) {
    return;
  }
  swatch->setCheckedLook(checked);
  if (checked) {
    refreshValues();
  }
}

void PixelAnalyserWidget::sampleModeChanged(int mode) {
  PixelSampleOptions options = currentOptions();
  options.mode = mode;
  enableSelectionControls(mode);
  storeOptions(options);
}

void PixelAnalyserWidget::accumulateStateChanged(int checkState) {
  PixelSampleOptions options = currentOptions();
  options.accumulate = IsOn(checkState);
  storeOptions(options);
}

void PixelAnalyserWidget::showSamplePixelsStateChanged(int checkState) {
  PixelSampleOptions options = currentOptions();
  options.showSelection = IsOn(checkState);
  storeOptions(options);
}

void PixelAnalyserWidget::colourRangeSelectionChanged(int) {
  refreshValues();
}

void PixelAnalyserWidget::basisChanged(int basis) {
  PixelSampleOptions options = currentOptions();
  options.basis = m_basisCombo->itemData(basis).toInt();
  storeOptions(options);
}

void PixelAnalyserWidget::medianSamplingStateChanged(int checkState) {
  PixelSampleOptions options = currentOptions();
  options.liveMedian = IsOn(checkState);
  storeOptions(options);
}

void PixelAnalyserWidget::resetSamplesClicked() {
  if (PixelSampler* pixelSampler = sampler()) {
    pixelSampler->reset();
  }
}

} // namespace Velloro::PixelAnalyser
