#include <TesselUI/TransportControlsWidget.h>

#include <TesselUI/Button.h>
#include <TesselUI/CoreUIUtils.h>
#include <TesselUI/TimeField.h>
#include <TesselUI/TimeFormatChooser.h>

#include <QHBoxLayout>

namespace Tessel::UI {

TransportControlsWidget::TransportControlsWidget(QWidget* parent)
    : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  m_jumpToBeginning = addButton(QStringLiteral("jumpToBeginning"), QStringLiteral("TransportJumpToStart"),
                                QStringLiteral("Jump to the first frame"));
  m_jumpBackwards = addButton(QStringLiteral("jumpBackwards"), QStringLiteral("TransportJumpBackwards"),
                              QStringLiteral("Jump backwards by the frame increment"));
  m_frameBackwards = addButton(QStringLiteral("frameBackwards"), QStringLiteral("TransportFrameBackwards"),
                               QStringLiteral("Step back one frame"));
  m_playBackwards = addButton(QStringLiteral("playBackwards"), QStringLiteral("TransportPlayBackwards"),
                              QStringLiteral("Play backwards"));
  m_timecode = new TimeField(true, false, this);
  m_timecode->setObjectName(QStringLiteral("timecode"));
  m_timecode->setToolTip(QStringLiteral("The current frame"));
  m_timecode->setFixedWidth(m_timecode->fontMetrics().horizontalAdvance(QStringLiteral("-00:00:00:00")) + 12);
  layout->addWidget(m_timecode);
  m_playForwards = addButton(QStringLiteral("playForwards"), QStringLiteral("TransportPlayForwards"),
                             QStringLiteral("Play forwards"));
  m_frameForwards = addButton(QStringLiteral("frameForwards"), QStringLiteral("TransportFrameForwards"),
                              QStringLiteral("Step forward one frame"));
  m_jumpForward = addButton(QStringLiteral("jumpForward"), QStringLiteral("TransportJumpForwards"),
                            QStringLiteral("Jump forwards by the frame increment"));
  m_jumpToEnd = addButton(QStringLiteral("jumpToEnd"), QStringLiteral("TransportJumpToEnd"),
                          QStringLiteral("Jump to the last frame"));

  connect(m_jumpToBeginning, &Button::clicked, this, &TransportControlsWidget::jumpToBeginningButtonClicked);
  connect(m_jumpBackwards, &Button::clicked, this, &TransportControlsWidget::jumpBackwardsButtonClicked);
  connect(m_frameBackwards, &Button::clicked, this, &TransportControlsWidget::frameBackwardsButtonClicked);
  connect(m_playBackwards, &Button::clicked, this, [this] {
    if (m_status == ePlayingBackwards) {
      emit stop();
    } else {
      emit playBackwardsButtonClicked();
    }
  });
  connect(m_playForwards, &Button::clicked, this, [this] {
    if (m_status == ePlayingForwards) {
      emit stop();
    } else {
      emit playForwardsButtonClicked();
    }
  });
  connect(m_frameForwards, &Button::clicked, this, &TransportControlsWidget::frameForwardsButtonClicked);
  connect(m_jumpForward, &Button::clicked, this, &TransportControlsWidget::jumpForwardButtonClicked);
  connect(m_jumpToEnd, &Button::clicked, this, &TransportControlsWidget::jumpToEndButtonClicked);
  connect(m_timecode, &TimeField::timeChanged, this, &TransportControlsWidget::timeChanged);
  connect(m_timecode, &TimeField::rangeChanged, this, &TransportControlsWidget::rangeSet);
}

Button* TransportControlsWidget::addButton(const QString& objectName, const QString& icon,
                                           const QString& toolTip) {
  auto* button = new Button(CoreUIUtils::createIcon(icon), toolTip, this);
  button->setObjectName(objectName);
  button->setIconSize(QSize(16, 16));
  layout()->addWidget(button);
  return button;
}

void TransportControlsWidget::setCurrentTime(Base::Time time) {
  m_timecode->setTime(time, false);
}

Base::Time TransportControlsWidget::currentTime() const {
  return m_timecode->time();
}

void TransportControlsWidget::setBounceMode(bool bounce) {
  m_bounce = bounce;
  refreshPlayButtons();
}

void TransportControlsWidget::setMode(TransportControlsMode mode) {
  m_mode = mode;
  const bool full = mode == eFull;
  for (Button* button : {m_jumpToBeginning, m_jumpBackwards, m_jumpForward, m_jumpToEnd}) {
    button->setVisible(full);
  }
}

void TransportControlsWidget::setTimecodeWidgetEnabled(bool enabled) {
  m_timecode->setEnabled(enabled);
}

void TransportControlsWidget::connectTimecodeWidgetToFormatChooser(TimeFormatChooser* chooser) {
  if (chooser) {
    chooser->addTimeField(m_timecode);
  }
}

void TransportControlsWidget::playbackStateChanged(PlaybackStatus status) {
  m_status = status;
  refreshPlayButtons();
}

void TransportControlsWidget::setFocusToTimecodeWidget() {
  if (m_timecode->isEnabled()) {
    m_timecode->setFocus(Qt::ShortcutFocusReason);
    m_timecode->selectAll();
  }
}

void TransportControlsWidget::refreshPlayButtons() {
  const QString bouncing = m_bounce ? QStringLiteral(", bouncing at the ends") : QString();
  const bool forwards = m_status == ePlayingForwards;
  const bool backwards = m_status == ePlayingBackwards;
  m_playForwards->setIcon(CoreUIUtils::createIcon(forwards ? QStringLiteral("TransportStop")
                                                           : QStringLiteral("TransportPlayForwards")));
  m_playForwards->setToolTip(forwards ? QStringLiteral("Stop") : QStringLiteral("Play forwards") + bouncing);
  m_playBackwards->setIcon(CoreUIUtils::createIcon(backwards ? QStringLiteral("TransportStop")
                                                             : QStringLiteral("TransportPlayBackwards")));
  m_playBackwards->setToolTip(backwards ? QStringLiteral("Stop")
                                        : QStringLiteral("Play backwards") + bouncing);
}

} // namespace Tessel::UI
