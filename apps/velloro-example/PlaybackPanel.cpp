#include "PlaybackPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace Velloro::Example {

namespace {

// Frames remembered for the achieved rate: about one second at film rates.
constexpr std::size_t kRateWindow = 25;

QToolButton* MakeButton(const QString& text, const QString& icon, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setText(text);
  button->setToolTip(text);
  button->setIcon(QIcon(QStringLiteral("icons:%1.png").arg(icon)));
  button->setAutoRaise(true);
  return button;
}

} // namespace

PlaybackPanel::PlaybackPanel(QWidget* parent)
    : QWidget(parent) {
  auto* back = MakeButton(tr("Previous frame"), QStringLiteral("TransportFrameBackwards"), this);
  m_play = MakeButton(tr("Play"), QStringLiteral("TransportPlayForwards"), this);
  m_play->setCheckable(true);
  auto* forward = MakeButton(tr("Next frame"), QStringLiteral("TransportFrameForwards"), this);
  m_slider = new QSlider(Qt::Horizontal, this);
  m_field = new QSpinBox(this);
  m_rate = new QComboBox(this);
  for (const double rate : {12.0, 23.976, 24.0, 25.0, 30.0, 48.0, 60.0}) {
    m_rate->addItem(QString::number(rate), rate);
  }
  m_rate->setCurrentIndex(m_rate->findData(24.0));
  m_rate->setToolTip(tr("Playback rate"));
  m_achieved = new QLabel(this);
  m_achieved->setToolTip(tr("Frames shown per second"));
  m_achieved->setMinimumWidth(m_achieved->fontMetrics().horizontalAdvance(QStringLiteral("00.00 fps")));

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  for (QWidget* widget : std::initializer_list<QWidget*>{back, m_play, forward}) {
    layout->addWidget(widget);
  }
  layout->addWidget(m_slider, 1);
  layout->addWidget(m_field);
  layout->addWidget(new QLabel(tr("fps"), this));
  layout->addWidget(m_rate);
  layout->addWidget(m_achieved);

  m_timer.setSingleShot(true);
  m_timer.setTimerType(Qt::PreciseTimer);
  connect(&m_timer, &QTimer::timeout, this, &PlaybackPanel::tick);
  m_labelTimer.setInterval(250);
  connect(&m_labelTimer, &QTimer::timeout, this, &PlaybackPanel::updateRateLabel);
  connect(back, &QToolButton::clicked, this, [this] { step(-1); });
  connect(forward, &QToolButton::clicked, this, [this] { step(1); });
  connect(m_play, &QToolButton::toggled, this, [this](bool checked) { checked ? play() : stop(); });
  connect(m_slider, &QSlider::valueChanged, this, &PlaybackPanel::setFrame);
  connect(m_field, qOverload<int>(&QSpinBox::valueChanged), this, &PlaybackPanel::setFrame);
  connect(m_rate, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
    if (isPlaying()) {
      stop();
      play();
    }
  });
  setRange(1, 1);
  updateRateLabel();
}

void PlaybackPanel::setRange(int first, int last) {
  m_first = first;
  m_last = std::max(first, last);
  const QSignalBlocker sliderBlock(m_slider);
  const QSignalBlocker fieldBlock(m_field);
  m_slider->setRange(m_first, m_last);
  m_field->setRange(m_first, m_last);
  showFrame(std::clamp(m_frame, m_first, m_last));
}

void PlaybackPanel::setFrame(int frame) {
  frame = std::clamp(frame, m_first, m_last);
  if (frame != m_frame) {
    showFrame(frame);
  }
}

void PlaybackPanel::showFrame(int frame) {
  m_frame = frame;
  {
    const QSignalBlocker sliderBlock(m_slider);
    const QSignalBlocker fieldBlock(m_field);
    m_slider->setValue(frame);
    m_field->setValue(frame);
  }
  emit frameChanged(frame);
}

double PlaybackPanel::rate() const {
  return m_rate->currentData().toDouble();
}

void PlaybackPanel::setRate(double framesPerSecond) {
  int index = m_rate->findData(framesPerSecond);
  if (index < 0) {
    m_rate->addItem(QString::number(framesPerSecond), framesPerSecond);
    index = m_rate->count() - 1;
  }
  m_rate->setCurrentIndex(index);
}

void PlaybackPanel::step(int frames) {
  const int length = m_last - m_first + 1;
  showFrame(m_first + (((m_frame - m_first + frames) % length) + length) % length);
}

void PlaybackPanel::play() {
  if (isPlaying() || rate() <= 0.0) {
    return;
  }
  m_shownAt.clear();
  m_ticks = 0;
  m_clock.start();
  m_timer.start(0);
  m_labelTimer.start();
  const QSignalBlocker block(m_play);
  m_play->setChecked(true);
  emit playingChanged(true);
}

void PlaybackPanel::stop() {
  if (!isPlaying()) {
    return;
  }
  m_timer.stop();
  m_labelTimer.stop();
  m_shownAt.clear();
  updateRateLabel();
  const QSignalBlocker block(m_play);
  m_play->setChecked(false);
  emit playingChanged(false);
}

void PlaybackPanel::tick() {
  if (m_ticks > 0) {
    step(1);
  } else {
    showFrame(m_frame);
  }
  const qint64 now = m_clock.nsecsElapsed();
  m_shownAt.push_back(now);
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

void PlaybackPanel::updateRateLabel() {
  const double achieved = achievedRate();
  m_achieved->setText(achieved > 0.0 ? QStringLiteral("%1 fps").arg(achieved, 0, 'f', 2)
                                     : QStringLiteral("-- fps"));
  // Red when playback falls more than half a frame a second behind the chosen rate.
  m_achieved->setStyleSheet(achieved > 0.0 && achieved < rate() - 0.5 ? QStringLiteral("color: #e07060")
                                                                      : QString());
}

} // namespace Velloro::Example
