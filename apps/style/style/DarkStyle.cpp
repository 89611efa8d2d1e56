#include <style/DarkStyle.h>

#include <QApplication>
#include <QColor>
#include <QPalette>

void UseDarkStyle() {
  QApplication::setStyle(QStringLiteral("Fusion"));
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(58, 58, 58));
  dark.setColor(QPalette::WindowText, QColor(220, 220, 220));
  dark.setColor(QPalette::Base, QColor(38, 38, 38));
  dark.setColor(QPalette::AlternateBase, QColor(50, 50, 50));
  dark.setColor(QPalette::Text, QColor(220, 220, 220));
  dark.setColor(QPalette::Button, QColor(66, 66, 66));
  dark.setColor(QPalette::ButtonText, QColor(220, 220, 220));
  dark.setColor(QPalette::Highlight, QColor(214, 160, 48));
  dark.setColor(QPalette::HighlightedText, Qt::black);
  dark.setColor(QPalette::ToolTipBase, QColor(250, 240, 200));
  dark.setColor(QPalette::ToolTipText, Qt::black);
  dark.setColor(QPalette::PlaceholderText, QColor(160, 160, 160));
  dark.setColor(QPalette::Mid, QColor(90, 90, 90));
  dark.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
  dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
  dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
  QApplication::setPalette(dark);
}
