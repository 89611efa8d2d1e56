#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <deque>

class QComboBox;
class QLabel;
class QSlider;
class QSpinBox;
class QToolButton;

namespace Velloro::Example {

// The transport under the viewer: play and stop, step, a frame slider and field, the chosen
// rate and the rate achieved. Playback loops over the range, each frame due at start + n / rate
// so that a late frame does not push every later one back.
//
// Threads: the GUI thread only.
class PlaybackPanel : public QWidget {
  Q_OBJECT
public:
  explicit PlaybackPanel(QWidget* parent = nullptr);

  void setRange(int first, int last);
  int frame() const { return m_frame; }
  void setFrame(int frame);

  double rate() const;
  void setRate(double framesPerSecond);
  // Frames shown per second over the last second or so of playback; 0 when stopped.
  double achievedRate() const;
  bool isPlaying() const { return m_timer.isActive(); }

public slots:
  void play();
  void stop();
  void step(int frames);

signals:
  void frameChanged(int frame);
  void playingChanged(bool playing);

private:
  void tick();
  void showFrame(int frame);
  void updateRateLabel();

  QToolButton* m_play = nullptr;
  QSlider* m_slider = nullptr;
  QSpinBox* m_field = nullptr;
  QComboBox* m_rate = nullptr;
  QLabel* m_achieved = nullptr;
  QTimer m_timer;
  QTimer m_labelTimer;
  QElapsedTimer m_clock;
  qint64 m_ticks = 0;
  std::deque<qint64> m_shownAt;
  int m_first = 1;
  int m_last = 1;
  int m_frame = 1;
};

} // namespace Velloro::Example
