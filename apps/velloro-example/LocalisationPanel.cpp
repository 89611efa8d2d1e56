#include "LocalisationPanel.h"

#include <velloro/localisation/LocalisationQueue.h>

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace Velloro::Example {

LocalisationPanel::LocalisationPanel(const QString& cacheFolder, std::uint64_t limitBytes, QWidget* parent)
    : QWidget(parent)
    , m_engine(cacheFolder.toStdString()) {
  m_engine.setDiskSizeLimit(LocalisationEngine::eMaximumUsage, limitBytes);
  m_engine.addFileEventObserver(this);
  m_queue = std::make_unique<LocalisationQueue>(m_engine);

  auto* localise = new QPushButton(tr("Localise"), this);
  localise->setToolTip(tr("Copy every frame into the local cache"));
  auto* check = new QPushButton(tr("Check"), this);
  check->setToolTip(tr("Compare every frame with its local copy"));
  m_summary = new QLabel(tr("Cache: %1").arg(cacheFolder), this);
  m_summary->setWordWrap(true);
  m_table = new QTableWidget(this);
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(localise);
  buttons->addWidget(check);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(buttons);
  layout->addWidget(m_summary);
  layout->addWidget(m_table, 1);
  m_idleWatch.setInterval(50);
  connect(&m_idleWatch, &QTimer::timeout, this, [this] {
    if (m_queue->pendingTasks() == 0) {
      m_idleWatch.stop();
      // Queued behind the reports the workers have already posted.
      QMetaObject::invokeMethod(this, &LocalisationPanel::settleQuietFiles, Qt::QueuedConnection);
    }
  });
  connect(localise, &QPushButton::clicked, this, &LocalisationPanel::localiseAll);
  connect(check, &QPushButton::clicked, this, &LocalisationPanel::checkAll);
}

LocalisationPanel::~LocalisationPanel() {
  // No report may arrive once the table is going: stop listening, then stop the workers.
  m_engine.removeFileEventObserver(this);
  m_queue.reset();
}

void LocalisationPanel::setFiles(int firstFrame, const std::vector<std::string>& views,
                                 const std::vector<std::vector<QString>>& paths) {
  m_queue->cancelAllTasks();
  m_cells.clear();
  m_table->clear();
  m_table->setRowCount(int(paths.size()));
  m_table->setColumnCount(int(views.size()));
  QStringList headers;
  for (const std::string& view : views) {
    headers << QString::fromStdString(view);
  }
  m_table->setHorizontalHeaderLabels(headers);
  for (int row = 0; row < int(paths.size()); ++row) {
    m_table->setVerticalHeaderItem(row, new QTableWidgetItem(QString::number(firstFrame + row)));
    for (int column = 0; column < int(paths[std::size_t(row)].size()); ++column) {
      const QString& path = paths[std::size_t(row)][std::size_t(column)];
      m_cells[path] = {row, column};
      auto* item = new QTableWidgetItem(QString());
      item->setToolTip(path);
      m_table->setItem(row, column, item);
    }
  }
}

void LocalisationPanel::localiseAll() {
  queueAll(LocalisationQueue::eLocaliseFile);
}
void LocalisationPanel::checkAll() {
  queueAll(LocalisationQueue::eCheckFile);
}

void LocalisationPanel::queueAll(int task) {
  for (const auto& [path, cell] : m_cells) {
    showStatus(path, tr("queued"));
    // Earlier frames first: they are the ones playback needs soonest.
    m_queue->queueTask(LocalisationQueue::FileTask(task), -cell.first, path.toStdString());
  }
  m_idleWatch.start();
}

void LocalisationPanel::settleQuietFiles() {
  for (const auto& [path, cell] : m_cells) {
    if (status(path) != tr("queued")) {
      continue;
    }
    if (!QFileInfo::exists(path)) {
      showStatus(path, EventText(LocalisationEngine::eSourceMissing));
    } else if (QFileInfo::exists(
                   QString::fromStdString(m_engine.localPathFor(path.toStdString()).string()))) {
      showStatus(path, EventText(LocalisationEngine::eUpToDate));
    } else {
      showStatus(path, EventText(LocalisationEngine::eNotLocal));
    }
  }
}

std::uint64_t LocalisationPanel::pendingTasks() const {
  return m_queue->pendingTasks();
}

QString LocalisationPanel::status(const QString& path) const {
  const auto found = m_cells.find(path);
  if (found == m_cells.end()) {
    return {};
  }
  const QTableWidgetItem* item = m_table->item(found->second.first, found->second.second);
  return item ? item->text() : QString();
}

QString LocalisationPanel::EventText(LocalisationEngine::FileEvent event) {
  switch (event) {
  case LocalisationEngine::eSourceMissing:
    return tr("missing");
  case LocalisationEngine::eNotLocal:
    return tr("not local");
  case LocalisationEngine::eUpToDate:
    return tr("up to date");
  case LocalisationEngine::eOutOfDate:
    return tr("out of date");
  case LocalisationEngine::eFileLocalised:
    return tr("localised");
  case LocalisationEngine::eInsufficientSpace:
    return tr("no room in the cache");
  case LocalisationEngine::eDiskFull:
    return tr("disk full");
  case LocalisationEngine::eFileRemoved:
    return tr("removed");
  }
  return tr("unknown");
}

void LocalisationPanel::onFileEvent(const std::string& sourcePath, LocalisationEngine::FileEvent event) {
  const QString path = QString::fromStdString(sourcePath);
  const QString text = EventText(event);
  QMetaObject::invokeMethod(
      this, [this, path, text] { showStatus(path, text); }, Qt::QueuedConnection);
}

void LocalisationPanel::showStatus(const QString& path, const QString& status) {
  const auto found = m_cells.find(path);
  if (found == m_cells.end()) {
    return;
  }
  if (QTableWidgetItem* item = m_table->item(found->second.first, found->second.second)) {
    item->setText(status);
  }
  emit statusChanged(path, status);
}

} // namespace Velloro::Example
