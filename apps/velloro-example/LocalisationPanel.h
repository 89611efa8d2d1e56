#pragma once

#include <velloro/localisation/LocalisationEngine.h>

#include <QTimer>
#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QTableWidget;

namespace Velloro {
class LocalisationQueue;
}

namespace Velloro::Example {

// Copies the shown sequence into a local cache and shows each file's state: one row per frame,
// one column per view. The engine reports from its worker threads; each report is handed to the
// GUI thread before it touches the table. A copy that is not made because the source is missing
// or the copy is already current gets no report from the engine; the panel then looks itself.
//
// Threads: construct, use and destroy on the GUI thread; onFileEvent() is called from the
// queue's workers and only posts to the GUI thread.
class LocalisationPanel : public QWidget, private LocalisationEngine::FileEventObserver {
  Q_OBJECT
public:
  // Throws boost::filesystem::filesystem_error when the cache folder cannot be opened.
  LocalisationPanel(const QString& cacheFolder, std::uint64_t limitBytes, QWidget* parent = nullptr);
  ~LocalisationPanel() override;

  // The files to show, by frame and view.
  void setFiles(int firstFrame, const std::vector<std::string>& views,
                const std::vector<std::vector<QString>>& paths);
  void localiseAll();
  void checkAll();
  // The state shown for a file; empty for a file not in the table.
  QString status(const QString& path) const;
  std::uint64_t pendingTasks() const;
  static QString EventText(LocalisationEngine::FileEvent event);

signals:
  // A file reached a new state (on the GUI thread).
  void statusChanged(const QString& path, const QString& status);

private:
  void onFileEvent(const std::string& sourcePath, LocalisationEngine::FileEvent event) override;
  void queueAll(int task);
  void showStatus(const QString& path, const QString& status);
  // Once the queue is idle: names the state of files the engine had nothing to say about.
  void settleQuietFiles();

  LocalisationEngine m_engine;
  std::unique_ptr<LocalisationQueue> m_queue;
  QTableWidget* m_table = nullptr;
  QLabel* m_summary = nullptr;
  QTimer m_idleWatch;
  // Table cell of each file, as row and column.
  std::map<QString, std::pair<int, int>> m_cells;
};

} // namespace Velloro::Example
