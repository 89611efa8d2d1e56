#include <TesselUI/FrameSlider.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

namespace Tessel::UI {

FrameSlider::FrameSlider(QWidget* parent)
    : QWidget(parent)
    , m_slider(new QSlider(Qt::Horizontal, this))
    , m_frame(new QLabel(this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_slider, 1);
  layout->addWidget(m_frame);
  m_frame->setMinimumWidth(m_frame->fontMetrics().horizontalAdvance(QStringLiteral("000000")));
  m_frame->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  showFrame(m_slider->value());
  connect(m_slider, &QSlider::valueChanged, this, [this](int frame) {
    showFrame(frame);
    emit valueChanged(frame);
  });
}

void FrameSlider::setRange(int first, int last) {
  const QSignalBlocker blocker(m_slider);
  m_slider->setRange(first, std::max(first, last));
  showFrame(m_slider->value());
}

int FrameSlider::minimum() const {
  return m_slider->minimum();
}

int FrameSlider::maximum() const {
  return m_slider->maximum();
}

int FrameSlider::value() const {
  return m_slider->value();
}

void FrameSlider::setValue(int frame) {
  const QSignalBlocker blocker(m_slider);
  m_slider->setValue(frame);
  showFrame(m_slider->value());
}

void FrameSlider::showFrame(int frame) {
  m_frame->setText(QString::number(frame));
}

} // namespace Tessel::UI
