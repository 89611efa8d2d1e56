#pragma once

#include <TesselUI/TesselUIExport.h>

#include <TesselBase/Time.h>
#include <TesselUI/PlaybackStatus.h>

#include <QWidget>

namespace Tessel::UI {

class Button;
class TimeField;
class TimeFormatChooser;

// The transport buttons of a viewer with a field for the current time. It plays nothing
// itself: each button emits its own signal, and while playback runs in one direction that
// direction's play button becomes a stop button that emits stop(). GUI thread only.
class TESSEL_UI_EXPORT TransportControlsWidget : public QWidget {
  Q_OBJECT
public:
  // The compact mode keeps only the frame-step and play buttons.
  enum TransportControlsMode { eFull = 0, eCompact = 1 };
  Q_ENUM(TransportControlsMode)

  explicit TransportControlsWidget(QWidget* parent = nullptr);

  void setCurrentTime(Base::Time time);
  Base::Time currentTime() const;
  void setBounceMode(bool bounce);
  bool bounceMode() const { return m_bounce; }
  PlaybackStatus playbackStatus() const { return m_status; }
  void setMode(TransportControlsMode mode);
  TransportControlsMode mode() const { return m_mode; }
  void setTimecodeWidgetEnabled(bool enabled);
  TimeField* timecodeWidget() const { return m_timecode; }
  void connectTimecodeWidgetToFormatChooser(TimeFormatChooser* chooser);

public slots:
  void playbackStateChanged(Tessel::UI::PlaybackStatus status);
  void setFocusToTimecodeWidget();

signals:
  void jumpToBeginningButtonClicked();
  void jumpBackwardsButtonClicked();
  void frameBackwardsButtonClicked();
  void playBackwardsButtonClicked();
  void playForwardsButtonClicked();
  void frameForwardsButtonClicked();
  void jumpForwardButtonClicked();
  void jumpToEndButtonClicked();
  void stop();
  void timeChanged(Tessel::Base::Time time);
  void rangeSet(Tessel::Base::Time first, Tessel::Base::Time last);

private:
  Button* addButton(const QString& objectName, const QString& icon, const QString& toolTip);
  void refreshPlayButtons();

  Button* m_jumpToBeginning;
  Button* m_jumpBackwards;
  Button* m_frameBackwards;
  Button* m_playBackwards;
  TimeField* m_timecode;
  Button* m_playForwards;
  Button* m_frameForwards;
  Button* m_jumpForward;
  Button* m_jumpToEnd;
  bool m_bounce = false;
  PlaybackStatus m_status = eStopped;
  TransportControlsMode m_mode = eFull;
};

} // namespace Tessel::UI
