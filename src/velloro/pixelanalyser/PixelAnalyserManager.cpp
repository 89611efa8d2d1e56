#include <velloro/pixelanalyser/PixelAnalyserManager.h>

#include <velloro/pixelanalyser/PixelAnalyserWidget.h>

#include <QEvent>

#include <algorithm>

namespace Velloro::PixelAnalyser {

PixelAnalyserManager& PixelAnalyserManager::Get() {
  static PixelAnalyserManager* sInstance = new PixelAnalyserManager();
  return *sInstance;
}

PixelAnalyserWidget* PixelAnalyserManager::createPixelAnalyserWidget() {
  auto* panel = new PixelAnalyserWidget();
  connect(&m_model, &PixelAnalyserModel::sampleChanged, panel, &PixelAnalyserWidget::sampleChanged);
  connect(&m_model, &PixelAnalyserModel::optionsChanged, panel, &PixelAnalyserWidget::sampleOptionsChanged);
  panel->installEventFilter(this);
  // A panel destroyed while shown sends its hide event only once it is a plain QWidget, which the
  // filter cannot recognise; its destruction must still take it off the visible set.
  connect(panel, &QObject::destroyed, this, &PixelAnalyserManager::panelGone);
  return panel;
}

bool PixelAnalyserManager::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show) {
    if (auto* panel = qobject_cast<PixelAnalyserWidget*>(watched)) {
      if (m_visiblePanels.insert(panel).second && m_visiblePanels.size() == 1) {
        emit visibiltyChanged(true);
      }
    }
  } else if (event->type() == QEvent::Hide) {
    if (qobject_cast<PixelAnalyserWidget*>(watched)) {
      panelGone(watched);
    }
  }
  return false;
}

void PixelAnalyserManager::panelGone(QObject* panel) {
  // Compared as QObject pointers: a panel being destroyed can no longer be cast to its class.
  const auto found = std::find_if(m_visiblePanels.begin(), m_visiblePanels.end(),
                                  [panel](PixelAnalyserWidget* visible) { return visible == panel; });
  if (found == m_visiblePanels.end()) {
    return;
  }
  m_visiblePanels.erase(found);
  if (m_visiblePanels.empty()) {
    emit visibiltyChanged(false);
  }
}

} // namespace Velloro::PixelAnalyser
