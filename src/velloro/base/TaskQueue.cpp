#include <velloro/base/TaskQueue.h>

namespace Tessel::Base {

TaskQueue::~TaskQueue() {
  // The pool empties its queue before it goes; unlink anything left so no hook dangles.
  for (auto& bucket : m_buckets) {
    bucket.second.clear();
  }
}

void TaskQueue::push(Task& task) {
  const int priority = task.priority();
  Bucket*& bucket = m_bucketOf[priority];
  if (!bucket) {
    Buckets::iterator added;
    if (m_spareBucket) {
      m_spareBucket.key() = priority;
      added = m_buckets.insert(std::move(m_spareBucket)).position;
    } else {
      added = m_buckets.try_emplace(priority).first;
    }
    bucket = &added->second;
  }
  if (m_emptyBucket != m_buckets.end() && &m_emptyBucket->second == bucket) {
    m_emptyBucket = m_buckets.end();
  }
  bucket->push_back(task);
  ++m_size;
}

Task* TaskQueue::takeFirstReady() {
  for (auto bucket = m_buckets.begin(); bucket != m_buckets.end(); ++bucket) {
    if (bucket == m_emptyBucket) {
      continue;
    }
    for (auto task = bucket->second.begin(); task != bucket->second.end(); ++task) {
      if (task->isReady()) {
        Task& taken = *task;
        bucket->second.erase(task);
        --m_size;
        if (bucket->second.empty()) {
          // Kept in place for the next task of its priority; the one kept before goes.
          if (m_emptyBucket != m_buckets.end()) {
            recycle(m_emptyBucket);
          }
          m_emptyBucket = bucket;
        }
        return &taken;
      }
    }
  }
  return nullptr;
}

std::vector<Task*> TaskQueue::takeAll() {
  std::vector<Task*> tasks;
  tasks.reserve(m_size);
  for (auto& bucket : m_buckets) {
    for (Task& task : bucket.second) {
      tasks.push_back(&task);
    }
    bucket.second.clear();
  }
  m_buckets.clear();
  m_bucketOf.clear();
  m_emptyBucket = m_buckets.end();
  m_size = 0;
  return tasks;
}

void TaskQueue::recycle(Buckets::iterator bucket) {
  m_bucketOf.erase(bucket->first);
  m_spareBucket = m_buckets.extract(bucket);
}

} // namespace Tessel::Base
