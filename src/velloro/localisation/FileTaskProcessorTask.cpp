#include <velloro/localisation/internal/FileTaskProcessorTask.h>

#include <velloro/localisation/LocalisationEngine.h>

namespace Velloro {

FileTaskProcessorTask::FileTaskProcessorTask(LocalisationEngine& engine, LocalisationQueue& queue,
                                             const boost::filesystem::path& path,
                                             LocalisationQueue::FileTask kind)
    : Tessel::Base::Task("FileTaskProcessorTask")
    , _engine(&engine)
    , _queue(&queue)
    , _path(path)
    , _kind(kind) {}

void FileTaskProcessorTask::run() {
  try {
    if (!cancelled()) {
      switch (_kind) {
      case LocalisationQueue::eCheckFile:
        _engine->checkFile(_path);
        break;
      case LocalisationQueue::eLocaliseFile:
        _engine->localiseFile(_path);
        break;
      case LocalisationQueue::eRemoveFile:
        _engine->removeFile(_path);
        break;
      }
    }
  } catch (...) {
    // Otherwise the entry would be counted as pending for good.
    _queue->notifyTaskCompleted(this);
    throw;
  }
  _queue->notifyTaskCompleted(this);
}

} // namespace Velloro
