#pragma once

#include <TesselBase/TimeBase.h>

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <deque>

namespace Tessel::UI {
class TimeSliderModel;
}

namespace Velloro::ViewerUI {
class ViewerPlaybackControls;
}

namespace Velloro::Example {

// The player under the viewer: the library's transport panel on a time line of the sequence's
// frames, driven by a timer at the rate chosen in the panel's rate control, which shows the rate
// achieved while playing. Each frame is due at start + n / rate, so that a late frame does not
// push every later one back. At the end of the in/out range playback repeats, bounces or stops as
// the loop chooser says ("continue" repeats: there is nothing past the sequence's last frame).
//
// Threads: the GUI thread only.
class PlaybackPanel : public QWidget {
  Q_OBJECT
public:
  explicit PlaybackPanel(QWidget* parent = nullptr);

  void setRange(int first, int last);
  int frame() const { return m_frame; }
  void setFrame(int frame);

  // The desired rate in frames per second.
  double rate() const;
  void setRate(Tessel::Base::TimeBase rate);
  // Frames shown per second over about the last second of playback; 0 when stopped.
  double achievedRate() const;
  bool isPlaying() const { return m_timer.isActive(); }
  ViewerUI::ViewerPlaybackControls* controls() const { return m_controls; }

public slots:
  void play();
  void stop();
  void step(int frames);

signals:
  void frameChanged(int frame);

private:
  void tick();
  void restartClock();
  void showRate();

  Tessel::UI::TimeSliderModel* m_model = nullptr;
  ViewerUI::ViewerPlaybackControls* m_controls = nullptr;
  QTimer m_timer;
  QTimer m_rateTimer;
  QElapsedTimer m_clock;
  qint64 m_ticks = 0;
  std::deque<qint64> m_shownAt;
  int m_frame = 1;
  int m_direction = 1;
};

} // namespace Velloro::Example
