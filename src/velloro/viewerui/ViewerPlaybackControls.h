#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/viewerui/FrameMode.h>

#include <TesselBase/Time.h>
#include <TesselBase/TimeBase.h>
#include <TesselUI/PlaybackStatus.h>
#include <TesselUI/TimeField.h>
#include <TesselUI/TimeSlider.h>
#include <TesselUI/TimeSliderModel.h>
#include <TesselUI/TransportControlsWidget.h>

#include <QWidget>

class QHBoxLayout;
class QSvgWidget;

namespace Tessel::UI {
class ChoiceButton;
class TimeFormatChooser;
class TimeFormatter;
} // namespace Tessel::UI

namespace Velloro::ViewerUI {

class FPSControlWidget;
class ViewerFrameRangeChoice;

// The transport panel under a viewer: the time slider between the in and out fields, and a row
// with the rate, time format, frame range and loop choosers, the transport buttons between the
// in/out buttons, the frame skip, a render indicator, the range lock and the duration. It plays
// nothing itself: it relays its widgets' signals to the host under its own names and shows the
// state the host gives it. The time-line model belongs to the host and must outlive the panel.
// GUI thread only.
class VELLORO_EXPORT ViewerPlaybackControls : public QWidget {
  Q_OBJECT
public:
  // What playback does at the end of the range: the index of the loop chooser.
  enum PlaybackMode { Repeat = 0, Bounce = 1, Stop = 2, Continue = 3 };
  Q_ENUM(PlaybackMode)

  // sliderOption goes unchanged to the time slider.
  ViewerPlaybackControls(Tessel::UI::TimeSliderModel* model, int sliderOption);

  Tessel::UI::TimeSlider* timeSlider() const { return m_timeSlider; }
  Tessel::UI::TimeFormatter* timeFormatter() const { return m_timeFormatter; }
  FPSControlWidget* fpsWidget() const { return m_fpsWidget; }

  // Replaces the time slider (the previous one is deleted) and relays the new one's signals.
  void setTimeSlider(Tessel::UI::TimeSlider* slider);
  void addCustomWidgetToLeft(QWidget* widget);
  void addCustomWidgetToRight(QWidget* widget);
  void displayFrames();
  void displayTimecodes();
  void setTimeDisplay(bool showTimecode, bool applyTimecodeStart, Tessel::Base::Time timecodeStart,
                      Tessel::Base::Time firstFrame);
  // The time format, the in, out and duration fields and the transport's time field; all are
  // disabled until the host enables them.
  void enableControls(bool enabled);
  PlaybackMode playbackMode() const;
  // Emits playbackModeChanged() once when the mode changes; the same mode does nothing.
  void setPlaybackMode(PlaybackMode mode);
  void setFrameRangeMode(FrameMode mode);
  void setInputFrameRangeModeEnabled(bool enabled);
  void setFPS(Tessel::Base::TimeBase timeBase);
  // The time base of the time line, which is also the default playback rate.
  void setTimeBase(Tessel::Base::TimeBase timeBase);
  void setDisplayedPlaybackSpeed(float fps, float speed);
  void setRenderIndicatorVisible(bool visible);
  void setTransportControlsMode(Tessel::UI::TransportControlsWidget::TransportControlsMode mode);

signals:
  void playbackModeChanged(ViewerPlaybackControls::PlaybackMode mode);
  void fpsChanged(float fps);
  void inOutTimesModified();
  // Kept for hosts that freeze the viewer; this panel has no freeze button and never emits it.
  void freezeGuiToggled(bool frozen);
  void setDoUpdateTime(bool update);
  void seekVideoFrame(Tessel::Base::Time time, bool scrubbing);
  void beginTimeDrag(Tessel::UI::TimeSlider::HandleType handle, const Tessel::Base::Time* time);
  void updateTimeDrag(const Tessel::Base::Time* time);
  void endTimeDrag();
  void rangeChanged(Tessel::Base::Time first, Tessel::Base::Time last);
  void requestCacheBarUpdate();
  void zoomOrPanChanged();
  void jumpToBeginningButtonClicked();
  void jumpBackwardsButtonClicked();
  void frameBackwardsButtonClicked();
  void playBackwardsButtonClicked();
  void stopPlayingButtonClicked();
  void playForwardsButtonClicked();
  void frameForwardsButtonClicked();
  void jumpForwardButtonClicked();
  void jumpToEndButtonClicked();
  void skipBackwardsButtonClicked();
  void skipForwardsButtonClicked();
  void incrementFieldValueChanged(int value);
  void frameModeChanged(Velloro::ViewerUI::FrameMode mode);
  void viewerFrameSkipChanged(int value);
  void editPlayheadTime();

public slots:
  // Passed to the transport only when it changes; the slider always takes it.
  void playbackStateChanged(Tessel::UI::PlaybackStatus status);
  void setDisplayedFPSAndSpeed(float fps, float speed);
  void setInTimeClip(Tessel::Base::Time time);
  void setOutTimeClip(Tessel::Base::Time time);
  void setInOutTmes(Tessel::Base::Time first, Tessel::Base::Time last);
  // Does nothing: the panel has no freeze button (see freezeGuiToggled()).
  void setFreezeGuiState(bool value);

private slots:
  void timeChanged(Tessel::UI::TimeSliderModel::TimeFlags flags);
  void onPlaybackModeChanged();
  void frameRangeChoiceChanged(Velloro::ViewerUI::FrameMode mode);

private:
  Tessel::UI::TimeSliderModel* m_model;
  QHBoxLayout* m_sliderContainer;
  QHBoxLayout* m_leftCustomLayout;
  QHBoxLayout* m_rightCustomLayout;
  Tessel::UI::TimeField* m_inField = nullptr;
  Tessel::UI::TimeField* m_outField = nullptr;
  Tessel::UI::TimeSlider* m_timeSlider = nullptr;
  Tessel::UI::TimeField* m_durationField = nullptr;
  Tessel::UI::TimeFormatChooser* m_timeFormatChooser = nullptr;
  Tessel::UI::TimeFormatter* m_timeFormatter;
  ViewerFrameRangeChoice* m_frameRangeChoice = nullptr;
  Tessel::UI::ChoiceButton* m_loopModeChooser = nullptr;
  FPSControlWidget* m_fpsWidget = nullptr;
  Tessel::UI::TransportControlsWidget* m_transport = nullptr;
  QSvgWidget* m_renderIndicator = nullptr;
};

} // namespace Velloro::ViewerUI
