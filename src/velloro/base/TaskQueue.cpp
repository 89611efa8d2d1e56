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
  Bucket*& bucket = _bucketOf[priority];
  if (!bucket) {
    Buckets::iterator added;
    if (_spareBucket) {
      _spareBucket.key() = priority;
      added = _buckets.insert(std::move(_spareBucket)).position;
    } else {
      added = _buckets.try_emplace(priority).first;
    }
    bucket = &added->second;
  }
  if (_emptyBucket != _buckets.end() && &_emptyBucket->second == bucket) {
    _emptyBucket = _buckets.end();
  }
  bucket->push_back(task);
  ++_size;
}

Task* TaskQueue::takeFirstReady() {
  for (auto bucket = _buckets.begin(); bucket != _buckets.end(); ++bucket) {
    if (bucket == _emptyBucket) {
      continue;
    }
    for (auto task = bucket->second.begin(); task != bucket->second.end(); ++task) {
      if (task->isReady()) {
        Task& taken = *task;
        bucket->second.erase(task);
        --_size;
        if (bucket->second.empty()) {
          // Kept in place for the next task of its priority; the one kept before goes.
          if (_emptyBucket != _buckets.end()) {
            recycle(_emptyBucket);
          }
          _emptyBucket = bucket;
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
  _bucketOf.clear();
  _emptyBucket = _buckets.end();
  _size = 0;
  return tasks;
}

void TaskQueue::recycle(Buckets::iterator bucket) {
  _bucketOf.erase(bucket->first);
  _spareBucket = _buckets.extract(bucket);
}

} // namespace Tessel::Base
