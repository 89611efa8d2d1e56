#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QDialog>

class QLabel;
class QVBoxLayout;

namespace Tessel::UI {

// A frameless pop-up with rounded corners that points at the widget it explains, for short
// notes and small editors; clicking elsewhere closes it. GUI thread only.
class TESSEL_UI_EXPORT BubbleWidget : public QDialog {
  Q_OBJECT
public:
  explicit BubbleWidget(QWidget* parent = nullptr);

  // A text shown at the top of the bubble; empty hides it.
  void setMessage(const QString& message);
  QString message() const;
  QVBoxLayout* contentLayout() const { return m_layout; }
  // Shows the bubble just below the anchor, its arrow at the anchor's centre, kept on screen.
  void showBelow(QWidget* anchor);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QVBoxLayout* m_layout;
  QLabel* m_message;
};

} // namespace Tessel::UI
