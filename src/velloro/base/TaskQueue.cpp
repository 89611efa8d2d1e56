#include <velloro/base/TaskQueue.h>

namespace Tessel::Base {

TaskQueue::~TaskQueue() {
  // The pool empties its queue before it goes; unlink anything left so no hook dangles.
  for (auto& bucket : _buckets) {
    bucket.second.clear();
  }
}

void TaskQueue::push(Task& task) {
  const int priority = task.priority();
  auto bucket = _buckets.find(priority);
  if (bucket == _buckets.end()) {
    if (_spareBucket) {
      _spareBucket.key() = priority;
      bucket = _buckets.insert(std::move(_spareBucket)).position;
    } else {
      bucket = _buckets.try_emplace(priority).first;
    }
  }
  bucket->second.push_back(task);
  ++_size;
}

Task* TaskQueue::takeFirstReady() {
  for (auto bucket = _buckets.begin(); bucket != _buckets.end(); ++bucket) {
    for (auto task = bucket->second.begin(); task != bucket->second.end(); ++task) {
      if (task->isReady()) {
        Task& taken = *task;
        bucket->second.erase(task);
        --_size;
        if (bucket->second.empty()) {
          recycle(bucket);
        }
        return &taken;
      }
    }
  }
  return nullptr;
}

std::vector<Task*> TaskQueue::takeAll() {
  std::vector<Task*> tasks;
  tasks.reserve(_size);
  for (auto& bucket : _buckets) {
    for (Task& task : bucket.second) {
      tasks.push_back(&task);
    }
    bucket.second.clear();
  }
  _buckets.clear();
  _size = 0;
  return tasks;
}

void TaskQueue::recycle(Buckets::iterator bucket) {
  _spareBucket = _buckets.extract(bucket);
}

} // namespace Tessel::Base
