#pragma once

#include <QEvent>
#include <QObject>

// Installed as an event filter on a widget: counts the paint events it receives.
class PaintCounter : public QObject {
public:
  int paints = 0;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    paints += event->type() == QEvent::Paint ? 1 : 0;
    return false;
  }
};
