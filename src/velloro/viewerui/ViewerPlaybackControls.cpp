#include <velloro/viewerui/ViewerPlaybackControls.h>

#include <velloro/viewerui/FPSControlWidget.h>
#include <velloro/viewerui/ViewerFrameLockButton.h>
#include <velloro/viewerui/ViewerFrameRangeChoice.h>
#include <velloro/viewerui/ViewerInOutButton.h>
#include <velloro/viewerui/ViewerInOutObject.h>

#include <TesselUI/ChoiceButton.h>
#include <TesselUI/CollapsibleToolbarItem.h>
#include <TesselUI/CollapsibleToolbarItemGroup.h>
#include <TesselUI/CoreUIUtils.h>
#include <TesselUI/TimeFormatChooser.h>
#include <TesselUI/TimeFormatter.h>
#include <TesselUI/VerticalDivider.h>
#include <TesselUI/ViewerFrameSkipControl.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSvgWidget>
#include <QVBoxLayout>

namespace Velloro::ViewerUI {

using Tessel::Base::Time;
using Tessel::Base::TimeBase;
using namespace Tessel::UI;

namespace {

QHBoxLayout* MakeRowLayout(int spacing) {
  auto* layout = new QHBoxLayout;
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(spacing);
  return layout;
}

CollapsibleToolbarItem* CentredItem(QWidget* widget, int priority) {
  auto* item = new CollapsibleToolbarItem(priority);
  item->addWidget(widget, Qt::AlignCenter);
  return item;
}

} // namespace

ViewerPlaybackControls::ViewerPlaybackControls(TimeSliderModel* model, int sliderOption)
    : m_model(model)
    , m_sliderContainer(MakeRowLayout(0))
    , m_leftCustomLayout(MakeRowLayout(0))
    , m_rightCustomLayout(MakeRowLayout(0))
    , m_timeFormatter(new TimeFormatter(this)) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  auto* mainLayout = new QVBoxLayout(this);
  mainLayout->setContentsMargins(0, 2, 0, 0);
  mainLayout->setSpacing(3);

  m_frameRangeChoice = new ViewerFrameRangeChoice;
  connect(m_frameRangeChoice, &ViewerFrameRangeChoice::frameModeChanged, this,
          &ViewerPlaybackControls::frameRangeChoiceChanged);
  auto* rangeItem = CollapsibleToolbarItem::CreateOverflowItem(
      m_frameRangeChoice, QStringLiteral("Frame Slider Range"), 8, 2, nullptr);
  rangeItem->addWidget(new VerticalDivider, Qt::AlignRight);

  setTimeSlider(new TimeSlider(model, m_timeFormatter, sliderOption, TimeSlider::NoFlags));

  auto* in = new ViewerInOutObject(model, ViewerInOutObject::In);
  auto* out = new ViewerInOutObject(model, ViewerInOutObject::Out);
  m_inField = in->field();
  m_outField = out->field();
  auto* inOutGroup = new CollapsibleToolbarItemGroup(this);
  CollapsibleToolbarItem* inOutItems[2] = {};
  for (ViewerInOutObject* side : {in, out}) {
    side->field()->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    side->field()->setContentsMargins(0, 5, 0, 0);
    side->button()->setFixedSize(18, 24);
  }
  inOutItems[0] =
      CollapsibleToolbarItem::CreateOverflowItem(in->button(), QStringLiteral("Set In"), 10, 3, inOutGroup);
  inOutItems[1] =
      CollapsibleToolbarItem::CreateOverflowItem(out->button(), QStringLiteral("Set Out"), 10, 4, inOutGroup);

  connect(m_inField, &TimeField::timeChanged, this, &ViewerPlaybackControls::setInTimeClip);
  connect(m_inField, &TimeField::rangeChanged, this, &ViewerPlaybackControls::setInOutTmes);
  connect(in->button(), &ViewerInOutButton::clicked, model, &TimeSliderModel::markIn);
  connect(in->button(), &ViewerInOutButton::rightClicked, model, &TimeSliderModel::clearIn);
  connect(m_outField, &TimeField::timeChanged, this, &ViewerPlaybackControls::setOutTimeClip);
  connect(m_outField, &TimeField::rangeChanged, this, &ViewerPlaybackControls::setInOutTmes);
  connect(out->button(), &ViewerInOutButton::clicked, model, &TimeSliderModel::markOut);
  connect(out->button(), &ViewerInOutButton::rightClicked, model, &TimeSliderModel::clearOut);

  m_loopModeChooser = new ChoiceButton;
  m_loopModeChooser->setToolTip(
      QStringLiteral("Set the action performed when playback hits the end of the clip."));
  for (const char* mode : {"Repeat", "Bounce", "Stop", "Continue"}) {
    const QIcon icon = CoreUIUtils::createIcon(QStringLiteral("Play") + QLatin1String(mode));
    m_loopModeChooser->addItem(QLatin1String(mode), &icon, nullptr, false);
  }
  m_loopModeChooser->setAutoRaise(true);
  m_loopModeChooser->setCurrentIndex(Repeat);
  connect(m_loopModeChooser, &ChoiceButton::currentIndexChanged, this,
          &ViewerPlaybackControls::onPlaybackModeChanged);
  auto* loopItem = CollapsibleToolbarItem::CreateOverflowItem(m_loopModeChooser,
                                                              QStringLiteral("Loop/Bounce"), 6, 16, nullptr);

  m_durationField = new TimeField(false, true);
  m_durationField->setToolTip(QStringLiteral("The duration of the clip/sequence."));
  m_durationField->setReadOnly(true);
  m_durationField->setTimecodeStart(0);
  m_durationField->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Expanding);
  m_durationField->setMinimumHeight(24);
  auto* durationItem = CentredItem(m_durationField, 0);
  connect(m_durationField, &TimeField::rangeChanged, this, &ViewerPlaybackControls::setInOutTmes);

  m_fpsWidget = new FPSControlWidget;
  connect(m_fpsWidget, &FPSControlWidget::fpsChanged, this, &ViewerPlaybackControls::fpsChanged);
  auto* fpsItem = CentredItem(m_fpsWidget, 5);

  m_transport = new TransportControlsWidget;
  using Transport = TransportControlsWidget;
  using Panel = ViewerPlaybackControls;
  connect(m_transport, &Transport::jumpToBeginningButtonClicked, this, &Panel::jumpToBeginningButtonClicked);
  connect(m_transport, &Transport::jumpBackwardsButtonClicked, this, &Panel::jumpBackwardsButtonClicked);
  connect(m_transport, &Transport::frameBackwardsButtonClicked, this, &Panel::frameBackwardsButtonClicked);
  connect(m_transport, &Transport::playBackwardsButtonClicked, this, &Panel::playBackwardsButtonClicked);
  connect(m_transport, &Transport::playForwardsButtonClicked, this, &Panel::playForwardsButtonClicked);
  connect(m_transport, &Transport::frameForwardsButtonClicked, this, &Panel::frameForwardsButtonClicked);
  connect(m_transport, &Transport::jumpForwardButtonClicked, this, &Panel::jumpForwardButtonClicked);
  connect(m_transport, &Transport::jumpToEndButtonClicked, this, &Panel::jumpToEndButtonClicked);
  connect(m_transport, &Transport::timeChanged, model, &TimeSliderModel::setCurrentTime);
  connect(m_transport, &Transport::rangeSet, this, &Panel::setInOutTmes);
  connect(m_transport, &Transport::stop, this, &Panel::stopPlayingButtonClicked);
  connect(this, &Panel::editPlayheadTime, m_transport, &Transport::setFocusToTimecodeWidget);

  auto* frameSkip = new ViewerFrameSkipControl;
  connect(frameSkip, &ViewerFrameSkipControl::skipBackwardsButtonClicked, this,
          &Panel::skipBackwardsButtonClicked);
  connect(frameSkip, &ViewerFrameSkipControl::skipForwardsButtonClicked, this,
          &Panel::skipForwardsButtonClicked);
  connect(frameSkip, &ViewerFrameSkipControl::incrementFieldValueChanged, this,
          &Panel::incrementFieldValueChanged);
  connect(this, &Panel::viewerFrameSkipChanged, frameSkip, &ViewerFrameSkipControl::frameIncrementChanged);

  m_renderIndicator = new QSvgWidget(QStringLiteral("icons:ViewerRenderingSpinner.svg"));
  m_renderIndicator->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  m_renderIndicator->setToolTip(QStringLiteral("Viewer render in progress"));
  m_renderIndicator->hide();

  m_timeFormatChooser = new TimeFormatChooser(m_timeFormatter, TimeFormatChooser::ShortLabels);
  m_timeFormatChooser->setAutoRaise(true);
  for (TimeField* field : {m_inField, m_outField, m_durationField}) {
    m_timeFormatChooser->addTimeField(field);
  }
  auto* formatItem = CollapsibleToolbarItem::CreateOverflowItem(m_timeFormatChooser,
                                                                QStringLiteral("Time Format"), 3, 0, nullptr);
  formatItem->addWidget(new VerticalDivider, Qt::AlignRight);
  m_transport->connectTimecodeWidgetToFormatChooser(m_timeFormatChooser);

  auto* lockItem = CollapsibleToolbarItem::CreateOverflowItem(
      new ViewerFrameLockButton(model), QStringLiteral("Frame Range Lock"), 11, 15, nullptr);

  auto* sliderRow = MakeRowLayout(0);
  sliderRow->setContentsMargins(2, 0, 2, 0);
  sliderRow->addWidget(m_inField);
  sliderRow->addLayout(m_sliderContainer);
  sliderRow->addWidget(m_outField);
  mainLayout->addLayout(sliderRow);

  auto* controlsRow = new QGridLayout;
  controlsRow->setContentsMargins(2, 0, 2, 2);
  controlsRow->setSizeConstraint(QLayout::SetFixedSize);
  auto* left = MakeRowLayout(2);
  left->addWidget(fpsItem);
  left->addWidget(formatItem);
  left->addWidget(rangeItem);
  left->addLayout(m_leftCustomLayout);
  left->addStretch();
  auto* middle = MakeRowLayout(0);
  middle->addWidget(loopItem);
  middle->addSpacing(6);
  middle->addWidget(inOutItems[0]);
  middle->addWidget(m_transport);
  middle->addWidget(inOutItems[1]);
  middle->addSpacing(12);
  middle->addWidget(frameSkip);
  auto* right = MakeRowLayout(2);
  right->addStretch();
  right->addWidget(m_renderIndicator);
  right->addLayout(m_rightCustomLayout);
  right->addWidget(lockItem);
  right->addWidget(durationItem);
  controlsRow->addLayout(left, 0, 0);
  controlsRow->addLayout(middle, 0, 1);
  controlsRow->addLayout(right, 0, 2);
  mainLayout->addLayout(controlsRow);

  connect(model, &TimeSliderModel::timeChanged, this, &Panel::timeChanged, Qt::UniqueConnection);
  m_transport->setCurrentTime(model->currentTime());
  m_durationField->setTime(model->inOutDuration(), false);
  emit inOutTimesModified();

  enableControls(false);
}

void ViewerPlaybackControls::setTimeSlider(TimeSlider* slider) {
  // Deleting the slider about to be installed would leave the panel with a dead one.
  if (slider == m_timeSlider) {
    return;
  }
  delete m_timeSlider;
  m_timeSlider = slider;
  if (!slider) {
    m_frameRangeChoice->setTimeSlider(nullptr);
    return;
  }
  // Unique: the panel follows the same model whichever slider shows it.
  if (TimeSliderModel* model = slider->model()) {
    connect(model, &TimeSliderModel::timeChanged, this, &ViewerPlaybackControls::timeChanged,
            Qt::UniqueConnection);
  }
  using Panel = ViewerPlaybackControls;
  connect(slider, &TimeSlider::setDoUpdateTime, this, &Panel::setDoUpdateTime);
  connect(slider, &TimeSlider::seekVideoFrame, this, &Panel::seekVideoFrame);
  connect(slider, &TimeSlider::beginTimeDrag, this, &Panel::beginTimeDrag);
  connect(slider, &TimeSlider::updateTimeDrag, this, &Panel::updateTimeDrag);
  connect(slider, &TimeSlider::endTimeDrag, this, &Panel::endTimeDrag);
  connect(slider, &TimeSlider::rangeChanged, this, &Panel::rangeChanged);
  connect(slider, &TimeSlider::requestCacheBarUpdate, this, &Panel::requestCacheBarUpdate);
  connect(slider, &TimeSlider::zoomOrPanChanged, this, &Panel::zoomOrPanChanged);
  m_frameRangeChoice->setTimeSlider(slider);
  m_sliderContainer->addWidget(slider);
}

void ViewerPlaybackControls::addCustomWidgetToLeft(QWidget* widget) {
  m_leftCustomLayout->addWidget(widget, 128);
}

void ViewerPlaybackControls::addCustomWidgetToRight(QWidget* widget) {
  m_rightCustomLayout->addWidget(widget, 128);
}

void ViewerPlaybackControls::displayFrames() {
  m_timeFormatChooser->showFrames();
}

void ViewerPlaybackControls::displayTimecodes() {
  m_timeFormatChooser->showTimecode();
}

void ViewerPlaybackControls::setTimeDisplay(bool showTimecode, bool applyTimecodeStart, Time timecodeStart,
                                            Time firstFrame) {
  m_timeFormatChooser->setTimeDisplay(showTimecode, applyTimecodeStart, timecodeStart, firstFrame);
}

void ViewerPlaybackControls::enableControls(bool enabled) {
  m_timeFormatChooser->setEnabled(enabled);
  m_inField->setEnabled(enabled);
  m_outField->setEnabled(enabled);
  m_durationField->setEnabled(enabled);
  m_transport->setTimecodeWidgetEnabled(enabled);
}

ViewerPlaybackControls::PlaybackMode ViewerPlaybackControls::playbackMode() const {
  return static_cast<PlaybackMode>(m_loopModeChooser->currentIndex());
}

void ViewerPlaybackControls::setPlaybackMode(PlaybackMode mode) {
  if (mode == m_loopModeChooser->currentIndex()) {
    return;
  }
  {
    const QSignalBlocker blocker(m_loopModeChooser);
    m_loopModeChooser->setCurrentIndex(mode);
  }
  m_transport->setBounceMode(mode == Bounce);
  emit playbackModeChanged(mode);
}

void ViewerPlaybackControls::setFrameRangeMode(FrameMode mode) {
  m_frameRangeChoice->setCurrentIndex(mode);
}

void ViewerPlaybackControls::setInputFrameRangeModeEnabled(bool enabled) {
  m_frameRangeChoice->setInputModeEnabled(enabled);
}

void ViewerPlaybackControls::setFPS(TimeBase timeBase) {
  m_fpsWidget->setTargetFrameRate(timeBase);
}

void ViewerPlaybackControls::setTimeBase(TimeBase timeBase) {
  m_timeFormatter->setTimeBase(timeBase);
  m_fpsWidget->setDefaultRate(timeBase);
}

void ViewerPlaybackControls::setDisplayedFPSAndSpeed(float fps, float speed) {
  m_fpsWidget->setDisplayedFPSAndSpeed(fps, speed);
}

void ViewerPlaybackControls::setDisplayedPlaybackSpeed(float fps, float speed) {
  m_fpsWidget->setDisplayedFPSAndSpeed(fps, speed);
}

void ViewerPlaybackControls::setRenderIndicatorVisible(bool visible) {
  m_renderIndicator->setVisible(visible);
}

void ViewerPlaybackControls::setTransportControlsMode(TransportControlsWidget::TransportControlsMode mode) {
  m_transport->setMode(mode);
}

void ViewerPlaybackControls::playbackStateChanged(PlaybackStatus status) {
  if (status != m_transport->playbackStatus()) {
    m_transport->playbackStateChanged(status);
  }
  if (m_timeSlider) {
    m_timeSlider->setPlaybackStatus(status);
  }
}

void ViewerPlaybackControls::setInTimeClip(Time time) {
  m_model->setInTime(time, true);
}

void ViewerPlaybackControls::setOutTimeClip(Time time) {
  m_model->setOutTime(time, true);
}

void ViewerPlaybackControls::setInOutTmes(Time first, Time last) {
  m_model->setInTime(first, true);
  m_model->setOutTime(last, true);
}

void ViewerPlaybackControls::setFreezeGuiState(bool) {}

void ViewerPlaybackControls::timeChanged(TimeSliderModel::TimeFlags flags) {
  if (flags & TimeSliderModel::CurrentTimeChanged) {
    m_transport->setCurrentTime(m_model->currentTime());
  }
  if (flags & ~TimeSliderModel::TimeFlags(TimeSliderModel::CurrentTimeChanged)) {
    m_durationField->setTime(m_model->inOutDuration(), false);
  }
  if (flags & (TimeSliderModel::InTimeChanged | TimeSliderModel::OutTimeChanged)) {
    emit inOutTimesModified();
  }
}

void ViewerPlaybackControls::onPlaybackModeChanged() {
  const int index = m_loopModeChooser->currentIndex();
  m_transport->setBounceMode(index == Bounce);
  emit playbackModeChanged(static_cast<PlaybackMode>(index));
}

void ViewerPlaybackControls::frameRangeChoiceChanged(FrameMode mode) {
  if (m_timeSlider) {
    m_timeSlider->setVisibleRangeMode(mode == Visible);
  }
  emit frameModeChanged(mode);
}

} // namespace Velloro::ViewerUI
