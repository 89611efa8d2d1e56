#include "PlaybackPanel.h"

#include <velloro/viewerui/FPSControlWidget.h>
#include <velloro/viewerui/ViewerPlaybackControls.h>

#include <TesselUI/PlaybackStatus.h>
#include <TesselUI/TimeSliderModel.h>

#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace Velloro::Example {

namespace {

// Frames remembered for the achieved rate: about one second at film rates.
constexpr std::size_t kRateWindow = 25;

} // namespace

using ViewerUI::ViewerPlaybackControls;

PlaybackPanel::PlaybackPanel(QWidget* parent)
    : QWidget(parent)
    , m_model(new Tessel::UI::TimeSliderModel(this)) {
  m_model->setRange(1, 1);
  m_model->setCurrentTime(1);
  m_controls = new ViewerPlaybackControls(m_model, 0);
  m_controls->setTimeBase(Tessel::Base::TimeBase(24, 1));
  m_controls->enableControls(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_controls);

  m_timer.setSingleShot(true);
  m_timer.setTimerType(Qt::PreciseTimer);
  connect(&m_timer, &QTimer::timeout, this, &PlaybackPanel::tick);
  m_rateTimer.setInterval(250);
  connect(&m_rateTimer, &QTimer::timeout, this, &PlaybackPanel::showRate);

  connect(m_model, &Tessel::UI::TimeSliderModel::timeChanged, this, [this] {
    const int current = int(m_model->currentTime());
    if (current != m_frame) {
      m_frame = current;
      emit frameChanged(current);
    }
  });
  connect(m_controls, &ViewerPlaybackControls::playForwardsButtonClicked, this, [this] {
    m_direction = 1;
    play();
  });
  connect(m_controls, &ViewerPlaybackControls::playBackwardsButtonClicked, this, [this] {
    m_direction = -1;
    play();
  });
  connect(m_controls, &ViewerPlaybackControls::stopPlayingButtonClicked, this, &PlaybackPanel::stop);
  connect(m_controls, &ViewerPlaybackControls::frameForwardsButtonClicked, this, [this] { step(1); });
  connect(m_controls, &ViewerPlaybackControls::frameBackwardsButtonClicked, this, [this] { step(-1); });
  connect(m_controls, &ViewerPlaybackControls::jumpToBeginningButtonClicked, this,
          [this] { setFrame(int(m_model->playbackStartTime())); });
  connect(m_controls, &ViewerPlaybackControls::jumpToEndButtonClicked, this,
          [this] { setFrame(int(m_model->playbackEndTime())); });
  connect(m_controls, &ViewerPlaybackControls::fpsChanged, this, [this] {
    if (isPlaying()) {
      restartClock();
    }
  });
}

void PlaybackPanel::setRange(int first, int last) {
  m_model->setRange(first, std::max(first, last));
  setFrame(std::clamp(m_frame, first, std::max(first, last)));
}

void PlaybackPanel::setFrame(int frame) {
  frame = int(std::clamp<Tessel::Base::Time>(frame, m_model->startTime(), m_model->endTime()));
  if (frame != m_frame) {
    m_model->setCurrentTime(frame);
  }
}

double PlaybackPanel::rate() const {
  return double(m_controls->fpsWidget()->getRate());
}

void PlaybackPanel::setRate(Tessel::Base::TimeBase rate) {
  m_controls->fpsWidget()->setTargetFrameRate(rate);
}

void PlaybackPanel::step(int frames) {
  const int first = int(m_model->playbackStartTime());
  const int length = int(m_model->playbackEndTime()) - first + 1;
  setFrame(first + (((m_frame - first + frames) % length) + length) % length);
}

void PlaybackPanel::play() {
  if (rate() <= 0.0) {
    return;
  }
  restartClock();
  m_timer.start(0);
  m_rateTimer.start();
  m_controls->playbackStateChanged(m_direction > 0 ? Tessel::UI::ePlayingForwards
                                                   : Tessel::UI::ePlayingBackwards);
}

void PlaybackPanel::stop() {
  m_timer.stop();
  m_rateTimer.stop();
  m_shownAt.clear();
  m_controls->playbackStateChanged(Tessel::UI::eStopped);
  m_controls->setDisplayedFPSAndSpeed(0, 0);
}

void PlaybackPanel::restartClock() {
  m_shownAt.clear();
  m_ticks = 0;
  m_clock.start();
}

void PlaybackPanel::tick() {
  if (m_ticks > 0) {
    const int first = int(m_model->playbackStartTime());
    const int last = int(m_model->playbackEndTime());
    int next = m_frame + m_direction;
    if (next < first || next > last) {
      switch (m_controls->playbackMode()) {
      case ViewerPlaybackControls::Bounce:
        m_direction = -m_direction;
        next = std::clamp(m_frame + m_direction, first, last);
        break;
      case ViewerPlaybackControls::Stop:
        stop();
        return;
      default:
        next = m_direction > 0 ? first : last;
      }
    }
    setFrame(next);
  }
  m_shownAt.push_back(m_clock.nsecsElapsed());
  if (m_shownAt.size() > kRateWindow) {
    m_shownAt.pop_front();
  }
  ++m_ticks;
  const qint64 due = qint64(std::llround(double(m_ticks) * 1e9 / rate()));
  m_timer.start(int(std::max<qint64>(0, (due - m_clock.nsecsElapsed()) / 1000000)));
}

double PlaybackPanel::achievedRate() const {
  if (!isPlaying() || m_shownAt.size() < 2) {
    return 0.0;
  }
  return double(m_shownAt.size() - 1) * 1e9 / double(m_shownAt.back() - m_shownAt.front());
}

void PlaybackPanel::showRate() {
  m_controls->setDisplayedFPSAndSpeed(float(achievedRate()), 1.0f);
}

} // namespace Velloro::Example
