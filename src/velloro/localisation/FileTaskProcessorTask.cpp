#include <velloro/localisation/internal/FileTaskProcessorTask.h>

#include <velloro/localisation/LocalisationEngine.h>

namespace Velloro {

FileTaskProcessorTask::FileTaskProcessorTask(LocalisationEngine& engine, LocalisationQueue& queue,
                                             const boost::filesystem::path& path,
                                             LocalisationQueue::FileTask kind)
    : Tessel::Base::Task("FileTaskProcessorTask")
    , m_engine(&engine)
    , m_queue(&queue)
    , m_path(path)
    , m_pathHash(hashOf(m_path.native()))
    , m_kind(kind) {}

void FileTaskProcessorTask::run() {
  try {
    if (!cancelled()) {
      switch (m_kind) {
      case LocalisationQueue::eCheckFile:
        m_engine->checkFile(m_path);
        break;
      case LocalisationQueue::eLocaliseFile:
        m_engine->localiseFile(m_path);
        break;
      case LocalisationQueue::eRemoveFile:
        m_engine->removeFile(m_path);
        break;
      }
    }
  } catch (...) {
    // Otherwise the entry would be counted as pending for good.
    m_queue->notifyTaskCompleted(this);
    throw;
  }
  m_queue->notifyTaskCompleted(this);
}

} // namespace Velloro
