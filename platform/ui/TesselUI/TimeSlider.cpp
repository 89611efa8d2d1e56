#include <TesselUI/TimeSlider.h>

#include <TesselUI/TimeFormatter.h>

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace Tessel::UI {

using Base::Time;

namespace {

constexpr double kMargin = 8.0;
constexpr double kHandleReach = 5.0;
constexpr double kMinimumSpan = 1.0;
constexpr double kZoomPerWheelStep = 0.8;
constexpr int kMinimumLabelSpacing = 60;

} // namespace

TimeSlider::TimeSlider(TimeSliderModel* model, TimeFormatter* formatter, int options, Flags flags,
                       QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_formatter(formatter)
    , m_options(options == 0 ? DefaultOptions : options)
    , m_flags(flags) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  if (m_model) {
    connect(m_model, &TimeSliderModel::timeChanged, this, qOverload<>(&QWidget::update));
    m_first = static_cast<double>(m_model->startTime());
    m_last = std::max(static_cast<double>(m_model->endTime()), m_first + kMinimumSpan);
  }
  if (m_formatter) {
    connect(m_formatter, &TimeFormatter::formatChanged, this, qOverload<>(&QWidget::update));
  }
}

QColor TimeSlider::InOutMarkerColor() {
  return QColor(214, 160, 48);
}

QSize TimeSlider::sizeHint() const {
  return QSize(400, 30);
}

QSize TimeSlider::minimumSizeHint() const {
  return QSize(60, 30);
}

void TimeSlider::zoomToFit() {
  if (m_model) {
    setVisibleRange(static_cast<double>(m_model->startTime()), static_cast<double>(m_model->endTime()),
                    false);
  }
}

void TimeSlider::zoomToFitInOut() {
  if (m_model) {
    setVisibleRange(static_cast<double>(m_model->inOrStartTime()),
                    static_cast<double>(m_model->outOrEndTime()), false);
  }
}

void TimeSlider::setTimeRange(Time first, Time last) {
  if (!Base::IsValidTime(first) || !Base::IsValidTime(last)) {
    return;
  }
  if (last < first) {
    std::swap(first, last);
  }
  setVisibleRange(static_cast<double>(first), static_cast<double>(last), false);
}

Time TimeSlider::firstVisibleTime() const {
  return static_cast<Time>(std::ceil(m_first - 1e-6));
}

Time TimeSlider::lastVisibleTime() const {
  return static_cast<Time>(std::floor(m_last + 1e-6));
}

void TimeSlider::setPlaybackStatus(PlaybackStatus status) {
  if (status != m_playbackStatus) {
    m_playbackStatus = status;
    update();
  }
}

void TimeSlider::setVisibleRange(double first, double last, bool byUser) {
  last = std::max(last, first + kMinimumSpan);
  if (first == m_first && last == m_last) {
    return;
  }
  m_first = first;
  m_last = last;
  update();
  emit rangeChanged(firstVisibleTime(), lastVisibleTime());
  emit requestCacheBarUpdate();
  if (byUser) {
    emit zoomOrPanChanged();
  }
}

double TimeSlider::framesPerPixel() const {
  const double span = std::max(1.0, width() - 2 * kMargin);
  return (m_last - m_first) / span;
}

double TimeSlider::positionOfTime(Time time) const {
  return kMargin + (static_cast<double>(time) - m_first) / framesPerPixel();
}

Time TimeSlider::timeAtPosition(double x) const {
  return static_cast<Time>(std::llround(m_first + (x - kMargin) * framesPerPixel()));
}

QRectF TimeSlider::rulerRect() const {
  return QRectF(kMargin, 0, width() - 2 * kMargin, height());
}

TimeSlider::HandleType TimeSlider::handleAt(const QPoint& position) const {
  if (!m_model || !rect().contains(position)) {
    return NoHandle;
  }
  if ((m_options & ShowInOutHandles) && position.y() >= height() / 2) {
    // The out handle wins over the in handle when both sit on the same frame, so that a
    // one-frame range can still be widened to the right.
    if (m_model->hasOutTime() &&
        std::abs(position.x() - positionOfTime(m_model->outTime())) <= kHandleReach) {
      return OutHandle;
    }
    if (m_model->hasInTime() && std::abs(position.x() - positionOfTime(m_model->inTime())) <= kHandleReach) {
      return InHandle;
    }
  }
  return PlayheadHandle;
}

void TimeSlider::mousePressEvent(QMouseEvent* event) {
  m_pressButton = event->button();
  m_pressPosition = event->position();
  m_moved = false;
  m_panStartFirst = m_first;
  if (event->button() != Qt::LeftButton || !m_model) {
    event->accept();
    return;
  }
  m_dragHandle = handleAt(event->position().toPoint());
  if (m_dragHandle == NoHandle) {
    return;
  }
  emit setDoUpdateTime(false);
  if (m_dragHandle == PlayheadHandle) {
    m_model->setCurrentTime(timeAtPosition(event->position().x()));
    m_dragTime = m_model->currentTime();
    emit beginTimeDrag(m_dragHandle, &m_dragTime);
    emit seekVideoFrame(m_dragTime, true);
  } else {
    m_dragTime = m_dragHandle == InHandle ? m_model->inTime() : m_model->outTime();
    emit beginTimeDrag(m_dragHandle, &m_dragTime);
  }
  event->accept();
}

void TimeSlider::dragTo(double x) {
  const Time time = timeAtPosition(x);
  Time reached = m_dragTime;
  if (m_dragHandle == PlayheadHandle) {
    m_model->setCurrentTime(time);
    reached = m_model->currentTime();
  } else if (m_dragHandle == InHandle) {
    m_model->setInTime(time, true);
    reached = m_model->inTime();
  } else if (m_dragHandle == OutHandle) {
    m_model->setOutTime(time, true);
    reached = m_model->outTime();
  }
  if (reached != m_dragTime) {
    m_dragTime = reached;
    emit updateTimeDrag(&m_dragTime);
    if (m_dragHandle == PlayheadHandle) {
      emit seekVideoFrame(m_dragTime, true);
    }
  }
}

void TimeSlider::mouseMoveEvent(QMouseEvent* event) {
  const QPointF delta = event->position() - m_pressPosition;
  if (delta.manhattanLength() >= 3) {
    m_moved = true;
  }
  if (m_dragHandle != NoHandle && m_model && (event->buttons() & Qt::LeftButton)) {
    dragTo(event->position().x());
  } else if (m_pressButton == Qt::MiddleButton && m_moved && !(m_flags & NoZoom)) {
    const double shift = -delta.x() * framesPerPixel();
    const double span = m_last - m_first;
    setVisibleRange(m_panStartFirst + shift, m_panStartFirst + shift + span, true);
  }
  event->accept();
}

void TimeSlider::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && m_dragHandle != NoHandle && m_model) {
    dragTo(event->position().x());
    const HandleType handle = m_dragHandle;
    m_dragHandle = NoHandle;
    emit endTimeDrag();
    if (handle == PlayheadHandle) {
      emit seekVideoFrame(m_model->currentTime(), false);
    }
    emit setDoUpdateTime(true);
  } else if ((event->button() == Qt::RightButton || event->button() == Qt::MiddleButton) &&
             event->button() == m_pressButton && !m_moved) {
    emit rightOrMidClicked();
  }
  m_pressButton = Qt::NoButton;
  event->accept();
}

void TimeSlider::wheelEvent(QWheelEvent* event) {
  if (m_flags & NoZoom || event->angleDelta().y() == 0) {
    event->ignore();
    return;
  }
  const double steps = event->angleDelta().y() / 120.0;
  const double factor = std::pow(kZoomPerWheelStep, steps);
  const double anchor = m_first + (event->position().x() - kMargin) * framesPerPixel();
  setVisibleRange(anchor - (anchor - m_first) * factor, anchor + (m_last - anchor) * factor, true);
  event->accept();
}

void TimeSlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);
  const QPalette& colours = palette();
  painter.fillRect(rect(), colours.color(QPalette::Base).darker(110));
  if (!m_model) {
    return;
  }
  const QRectF ruler = rulerRect();
  const double top = ruler.top();
  const double bottom = ruler.bottom();

  // The frame range outside the model's start and end is greyed.
  const double startX = positionOfTime(m_model->startTime());
  const double endX = positionOfTime(m_model->endTime());
  painter.fillRect(QRectF(startX, top, endX - startX, ruler.height()), colours.color(QPalette::Base));

  // In/out range.
  if (m_model->hasInTime() || m_model->hasOutTime()) {
    const double inX = positionOfTime(m_model->inOrStartTime());
    const double outX = positionOfTime(m_model->outOrEndTime());
    QColor band = InOutMarkerColor();
    band.setAlpha(m_model->inOutLocked() ? 90 : 45);
    painter.fillRect(QRectF(inX, bottom - 8, outX - inX, 8), band);
    painter.setPen(QPen(InOutMarkerColor(), 2));
    if (m_model->hasInTime()) {
      painter.drawLine(QPointF(inX, height() / 2.0), QPointF(inX, bottom));
      painter.drawLine(QPointF(inX, bottom - 1), QPointF(inX + 5, bottom - 1));
    }
    if (m_model->hasOutTime()) {
      painter.drawLine(QPointF(outX, height() / 2.0), QPointF(outX, bottom));
      painter.drawLine(QPointF(outX, bottom - 1), QPointF(outX - 5, bottom - 1));
    }
  }

  // Ticks: a labelled step of 1, 2 or 5 times a power of ten frames that leaves room for the
  // labels, with unlabelled minor ticks in between.
  const QString widest =
      m_formatter ? m_formatter->toString(lastVisibleTime()) : QString::number(lastVisibleTime());
  const double labelWidth =
      std::max<double>(kMinimumLabelSpacing, fontMetrics().horizontalAdvance(widest) + 12);
  const double wanted = labelWidth * framesPerPixel();
  double step = 1;
  for (double power = 1;; power *= 10) {
    if (power >= wanted) {
      step = power;
      break;
    }
    if (2 * power >= wanted) {
      step = 2 * power;
      break;
    }
    if (5 * power >= wanted) {
      step = 5 * power;
      break;
    }
  }
  const double minorStep = step >= 10 ? step / 10 : 1;
  painter.setPen(colours.color(QPalette::Mid));
  if (minorStep / framesPerPixel() >= 4) {
    for (double frame = std::ceil(m_first / minorStep) * minorStep; frame <= m_last; frame += minorStep) {
      const double x = positionOfTime(static_cast<Time>(frame));
      painter.drawLine(QPointF(x, top), QPointF(x, top + 4));
    }
  }
  painter.setPen(colours.color(QPalette::Text));
  for (double frame = std::ceil(m_first / step) * step; frame <= m_last; frame += step) {
    const Time time = static_cast<Time>(frame);
    const double x = positionOfTime(time);
    painter.drawLine(QPointF(x, top), QPointF(x, top + 8));
    if (m_options & ShowFrameLabels) {
      const QString label = m_formatter ? m_formatter->toString(time) : QString::number(time);
      painter.drawText(QRectF(x + 3, top, labelWidth, height() - 2), Qt::AlignLeft | Qt::AlignVCenter, label);
    }
  }

  // Playhead.
  const QColor playhead = m_playbackStatus == eStopped ? QColor(230, 80, 60) : QColor(90, 200, 110);
  const double currentX = positionOfTime(m_model->currentTime());
  painter.setPen(QPen(playhead, 2));
  painter.drawLine(QPointF(currentX, top), QPointF(currentX, bottom));
  painter.setBrush(playhead);
  painter.setPen(Qt::NoPen);
  const QPointF marker[] = {{currentX - 5, top}, {currentX + 5, top}, {currentX, top + 6}};
  painter.drawPolygon(marker, 3);
}

} // namespace Tessel::UI
