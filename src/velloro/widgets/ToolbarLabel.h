#pragma once

#include <velloro/VelloroExport.h>

#include <QFrame>

// The label lives in the widget library's namespace, where the host's tool bars look for it.
namespace Tessel::UI {

// A tool-bar label: text on the tool-bar fill, elided to the room it has, no wider than its
// text. GUI thread only.
class VELLORO_EXPORT ToolbarLabel : public QFrame {
  Q_OBJECT
public:
  explicit ToolbarLabel(const QString& text, QWidget* parent = nullptr, Qt::WindowFlags flags = {});
  explicit ToolbarLabel(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

  QString text() const { return m_text; }
  // Changing the text updates the maximum width and repaints; the same text does nothing.
  void setText(const QString& text);
  void setTextColor(const QColor& colour);
  Qt::Alignment alignment() const { return m_alignment; }
  void setAlignment(Qt::Alignment alignment);
  Qt::TextElideMode elideMode() const { return m_elideMode; }
  void setElideMode(Qt::TextElideMode mode);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

private:
  void paintEvent(QPaintEvent* event) override;
  QSize sizeForContents() const;

  QString m_text;
  Qt::Alignment m_alignment = Qt::AlignHCenter | Qt::AlignVCenter;
  Qt::TextElideMode m_elideMode = Qt::ElideNone;
};

} // namespace Tessel::UI
