#include <TesselUI/ColorPicker.h>

#include <TesselUI/ColorDoubleSpinBox.h>

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QSignalBlocker>

#include <algorithm>

namespace Tessel::UI {

class ColorPicker::Swatch : public QWidget {
public:
  explicit Swatch(ColorPicker* picker)
      : QWidget(picker)
      , m_picker(picker) {
    setMinimumSize(48, 48);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const int cell = 6;
    for (int y = 0; y < height(); y += cell) {
      for (int x = 0; x < width(); x += cell) {
        painter.fillRect(x, y, cell, cell, ((x + y) / cell) % 2 ? QColor(150, 150, 150) : QColor(90, 90, 90));
      }
    }
    painter.fillRect(rect(), m_picker->color());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }

private:
  ColorPicker* m_picker;
};

ColorPicker::ColorPicker(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
    , m_swatch(new Swatch(this)) {
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(m_swatch);
  auto* fields = new QFormLayout;
  layout->addLayout(fields);
  const QColor channelColours[] = {QColor(220, 60, 60), QColor(60, 190, 60), QColor(70, 110, 230),
                                   QColor(200, 200, 200)};
  const char* names[] = {"R", "G", "B", "A"};
  for (int channel = 0; channel < 4; ++channel) {
    auto* field = new ColorDoubleSpinBox(channelColours[channel], this);
    field->setObjectName(QString::fromLatin1(names[channel]));
    if (channel == 3) {
      field->setMaximum(1.0);
    }
    field->setValue(m_channels[static_cast<size_t>(channel)]);
    connect(field, &QDoubleSpinBox::valueChanged, this, &ColorPicker::fieldChanged);
    fields->addRow(QString::fromLatin1(names[channel]), field);
    m_fields[static_cast<size_t>(channel)] = field;
  }
}

void ColorPicker::setColor(float red, float green, float blue, float alpha, bool emitSignal) {
  const std::array<float, 4> channels{{red, green, blue, alpha}};
  for (size_t channel = 0; channel < 4; ++channel) {
    const QSignalBlocker blocker(m_fields[channel]);
    m_fields[channel]->setValue(channels[channel]);
  }
  // Keep what the fields hold, so that getColor() and the fields agree after clamping.
  std::array<float, 4> shown{};
  for (size_t channel = 0; channel < 4; ++channel) {
    shown[channel] = static_cast<float>(m_fields[channel]->value());
  }
  const bool changed = shown != m_channels;
  m_channels = shown;
  m_swatch->update();
  if (changed && emitSignal) {
    emit colorChanged(m_channels[0], m_channels[1], m_channels[2], m_channels[3]);
  }
}

void ColorPicker::getColor(float& red, float& green, float& blue, float& alpha) const {
  red = m_channels[0];
  green = m_channels[1];
  blue = m_channels[2];
  alpha = m_channels[3];
}

QColor ColorPicker::color() const {
  const auto unit = [](float value) { return std::clamp(value, 0.0f, 1.0f); };
  return QColor::fromRgbF(unit(m_channels[0]), unit(m_channels[1]), unit(m_channels[2]), unit(m_channels[3]));
}

void ColorPicker::fieldChanged() {
  setColor(static_cast<float>(m_fields[0]->value()), static_cast<float>(m_fields[1]->value()),
           static_cast<float>(m_fields[2]->value()), static_cast<float>(m_fields[3]->value()), true);
}

} // namespace Tessel::UI
