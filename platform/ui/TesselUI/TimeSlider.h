#pragma once

#include <TesselUI/TesselUIExport.h>

#include <TesselUI/PlaybackStatus.h>
#include <TesselUI/TimeFormatter.h>
#include <TesselUI/TimeSliderModel.h>

#include <QPointer>
#include <QWidget>

namespace Tessel::UI {

// A frame ruler over a time-line model: the in/out range is drawn in InOutMarkerColor(), the
// current frame as a playhead. Dragging the playhead scrubs the current frame; dragging an
// in or out handle moves that point. The wheel zooms around the cursor and a middle-button
// drag pans; a right or middle click without movement emits rightOrMidClicked().
// GUI thread only.
class TESSEL_UI_EXPORT TimeSlider : public QWidget {
  Q_OBJECT
public:
  enum HandleType { NoHandle = 0, PlayheadHandle = 1, InHandle = 2, OutHandle = 3 };
  Q_ENUM(HandleType)

  enum Option { ShowFrameLabels = 0x01, ShowInOutHandles = 0x02, DefaultOptions = 0x03 };
  enum Flag { NoFlags = 0x00, NoZoom = 0x01 };
  Q_DECLARE_FLAGS(Flags, Flag)

  // options is an Option combination; a value of 0 takes DefaultOptions.
  TimeSlider(TimeSliderModel* model, TimeFormatter* formatter, int options, Flags flags = NoFlags,
             QWidget* parent = nullptr);

  static QColor InOutMarkerColor();

  TimeSliderModel* model() const { return m_model; }
  TimeFormatter* formatter() const { return m_formatter; }

  // Shows the whole frame range, or the in/out range.
  void zoomToFit();
  void zoomToFitInOut();
  // Shows first to last (swapped when given the wrong way round).
  void setTimeRange(Base::Time first, Base::Time last);
  Base::Time firstVisibleTime() const;
  Base::Time lastVisibleTime() const;

  // Set while the host's frame-range choice follows the user's own zoom ("visible" range).
  void setVisibleRangeMode(bool on) { m_visibleRangeMode = on; }
  bool visibleRangeMode() const { return m_visibleRangeMode; }
  void setPlaybackStatus(PlaybackStatus status);
  PlaybackStatus playbackStatus() const { return m_playbackStatus; }

  // The handle under a point of the widget, for hit tests.
  HandleType handleAt(const QPoint& position) const;
  // The horizontal position of a time, and the time at a position.
  double positionOfTime(Base::Time time) const;
  Base::Time timeAtPosition(double x) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

signals:
  void beginTimeDrag(Tessel::UI::TimeSlider::HandleType handle, const Tessel::Base::Time* time);
  void updateTimeDrag(const Tessel::Base::Time* time);
  void endTimeDrag();
  void zoomOrPanChanged();
  void rangeChanged(Tessel::Base::Time first, Tessel::Base::Time last);
  void rightOrMidClicked();
  // Relayed to the host: stop following playback while the user scrubs, seek to a frame
  // (scrubbing is true while a drag goes on), redraw the cache bar for a new range.
  void setDoUpdateTime(bool update);
  void seekVideoFrame(Tessel::Base::Time time, bool scrubbing);
  void requestCacheBarUpdate();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

private:
  void setVisibleRange(double first, double last, bool byUser);
  void dragTo(double x);
  double framesPerPixel() const;
  QRectF rulerRect() const;

  QPointer<TimeSliderModel> m_model;
  QPointer<TimeFormatter> m_formatter;
  int m_options;
  Flags m_flags;
  double m_first = 1;
  double m_last = 100;
  bool m_visibleRangeMode = false;
  PlaybackStatus m_playbackStatus = eStopped;

  HandleType m_dragHandle = NoHandle;
  Base::Time m_dragTime = 0;
  Qt::MouseButton m_pressButton = Qt::NoButton;
  QPointF m_pressPosition;
  double m_panStartFirst = 0;
  bool m_moved = false;
};

} // namespace Tessel::UI

Q_DECLARE_OPERATORS_FOR_FLAGS(Tessel::UI::TimeSlider::Flags)
