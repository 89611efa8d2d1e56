#include <velloro/viewerui/FPSControlWidget.h>

#include <velloro/viewerui/EditableFrameRateChooser.h>
#include <velloro/viewerui/FPSLabel.h>

#include <QHBoxLayout>

#include <cmath>

namespace Velloro::ViewerUI {

using Tessel::Base::TimeBase;

namespace {

// Shared by every rate label, made from the first label's palette.
const QPalette& NormalPalette(const QWidget* firstLabel) {
  static const QPalette sNormalPalette = firstLabel->palette();
  return sNormalPalette;
}

const QPalette& WarningPalette(const QWidget* firstLabel) {
  static const QPalette sWarningPalette = [firstLabel] {
    QPalette palette = NormalPalette(firstLabel);
    palette.setBrush(QPalette::All, QPalette::WindowText, QBrush(Qt::red));
    return palette;
  }();
  return sWarningPalette;
}

constexpr float kShortfallWarning = 0.5f;

} // namespace

FPSControlWidget::FPSControlWidget()
    : m_label(new FPSLabel)
    , m_chooser(new EditableFrameRateChooser) {
  m_chooser->setFocusPolicy(Qt::StrongFocus);
  m_chooser->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  auto* choosing = new QWidget;
  auto* layout = new QHBoxLayout(choosing);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_chooser);
  addWidget(choosing);
  m_label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  addWidget(m_label);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

  connect(m_chooser, &TimeBaseChooser::timeBaseChanged, this, &FPSControlWidget::rateChanged);
  m_chooser->setDefaultValue(TimeBase(24, 1));
  m_chooser->setTimeBase(TimeBase(24, 1));
  setToolTip(QStringLiteral("Desired playback rate. While playing the rate actually achieved is displayed "
                            "here.\nThe * denotes automatic playback rate"));
}

float FPSControlWidget::getRate() const {
  return m_chooser->timeBase().toFloat();
}

void FPSControlWidget::setDefaultRate(TimeBase timeBase) {
  const bool onDefault = m_chooser->currentIndex() == m_chooser->defaultIndex();
  m_chooser->setDefaultValue(timeBase);
  if (onDefault) {
    m_chooser->setTimeBase(timeBase);
  }
}

void FPSControlWidget::setTargetFrameRate(TimeBase timeBase) {
  m_chooser->setTimeBase(timeBase);
}

void FPSControlWidget::syncTargetFrameRate(TimeBase timeBase) {
  m_chooser->syncTimeBase(timeBase);
  emit fpsChanged(getRate());
}

void FPSControlWidget::setFieldIndex(int index) {
  m_chooser->setCurrentIndex(index);
}

void FPSControlWidget::setDisplayedFPSAndSpeed(float fps, float speed) {
  if (speed == 0) {
    m_label->setPalette(NormalPalette(m_label));
    m_showsWarning = false;
    setCurrentIndex(0);
    return;
  }
  const bool speedChanged = speed != m_speed;
  m_speed = speed;
  const float target = getRate();
  if (std::fabs(fps - target) < kShortfallWarning) {
    const float shown = std::round(target * 100.0f) / 100.0f;
    // A label still red from a shortfall is rebuilt too, even when the figure is the same
    // (the desired rate may have changed to the one achieved).
    if (shown != m_fps || m_showsWarning) {
      m_fps = shown;
      m_label->setPalette(NormalPalette(m_label));
      m_showsWarning = false;
      updateLabelText('g', 6);
    } else if (speedChanged) {
      updateLabelText('g', 6);
    }
  } else {
    m_fps = std::round(fps * 10.0f) / 10.0f;
    m_label->setPalette(WarningPalette(m_label));
    m_showsWarning = true;
    updateLabelText('f', 1);
  }
  setCurrentIndex(1);
}

void FPSControlWidget::rateChanged() {
  updateLabelText('g', 6);
  const TimeBase rate = m_chooser->timeBase();
  emit targetFrameRateChanged(rate);
  emit fpsChanged(rate.toFloat());
}

void FPSControlWidget::updateLabelText(char format, int precision) {
  QString text = QString::number(m_fps, format, precision) + QStringLiteral(" fps");
  if (m_speed != 0 && m_speed != 1) {
    text += QStringLiteral(" x") + QString::number(m_speed, 'g', 6);
  }
  m_label->setText(text);
}

} // namespace Velloro::ViewerUI
