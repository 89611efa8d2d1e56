#include <TesselUI/ViewerFrameSkipControl.h>

#include <TesselUI/Button.h>
#include <TesselUI/CoreUIUtils.h>

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSpinBox>

namespace Tessel::UI {

ViewerFrameSkipControl::ViewerFrameSkipControl(QWidget* parent)
    : QWidget(parent)
    , m_skipBackwards(new Button(CoreUIUtils::createIcon(QStringLiteral("TransportSkipBackwards")),
                                 QStringLiteral("Skip backwards by the frame increment"), this))
    , m_increment(new QSpinBox(this))
    , m_skipForwards(new Button(CoreUIUtils::createIcon(QStringLiteral("TransportSkipForwards")),
                                QStringLiteral("Skip forwards by the frame increment"), this)) {
  m_skipBackwards->setObjectName(QStringLiteral("skipBackwards"));
  m_skipForwards->setObjectName(QStringLiteral("skipForwards"));
  m_increment->setObjectName(QStringLiteral("increment"));
  m_increment->setRange(1, 100000);
  m_increment->setValue(10);
  m_increment->setButtonSymbols(QAbstractSpinBox::NoButtons);
  m_increment->setAlignment(Qt::AlignCenter);
  m_increment->setToolTip(QStringLiteral("Frame increment of the skip and jump buttons"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(m_skipBackwards);
  layout->addWidget(m_increment);
  layout->addWidget(m_skipForwards);
  connect(m_skipBackwards, &Button::clicked, this, &ViewerFrameSkipControl::skipBackwardsButtonClicked);
  connect(m_skipForwards, &Button::clicked, this, &ViewerFrameSkipControl::skipForwardsButtonClicked);
  connect(m_increment, qOverload<int>(&QSpinBox::valueChanged), this,
          &ViewerFrameSkipControl::incrementFieldValueChanged);
}

int ViewerFrameSkipControl::frameIncrement() const {
  return m_increment->value();
}

void ViewerFrameSkipControl::frameIncrementChanged(int increment) {
  const QSignalBlocker blocker(m_increment);
  m_increment->setValue(increment);
}

} // namespace Tessel::UI
