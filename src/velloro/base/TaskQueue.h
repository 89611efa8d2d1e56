#pragma once

#include <velloro/base/NonCopyable.h>
#include <velloro/base/Task.h>

#include <boost/intrusive/list.hpp>

#include <cstddef>
#include <functional>
#include <map>
#include <vector>

namespace Tessel::Base {

// The waiting tasks of one pool, in descending priority and, within one priority, in order of
// arrival. Tasks are linked through their own hook (no allocation per task); one list per
// distinct priority sits in an ordered map, so adding costs O(log P) for P distinct priorities and
// taking the head costs O(1). The node of a list that ran empty is kept for the next new
// priority, so a steady stream of tasks of one priority does not allocate.
//
// Threads: guarded by the owning pool's lock.
class TaskQueue : private NonCopyable {
public:
  TaskQueue() = default;
  ~TaskQueue();

  void push(Task& task);
  // Unlinks and returns the first task in queue order that is ready, or null.
  Task* takeFirstReady();
  // Unlinks every task and returns them in queue order.
  std::vector<Task*> takeAll();

  static bool isQueued(const Task& task) { return task._queueHook.is_linked(); }
  std::size_t size() const { return _size; }
  bool empty() const { return _size == 0; }

private:
  using Hook = boost::intrusive::member_hook<Task, boost::intrusive::list_member_hook<>, &Task::_queueHook>;
  using Bucket = boost::intrusive::list<Task, Hook, boost::intrusive::constant_time_size<false>>;
  using Buckets = std::map<int, Bucket, std::greater<int>>;

  void recycle(Buckets::iterator bucket);

  Buckets _buckets;
  Buckets::node_type _spareBucket;
  std::size_t _size = 0;
};

} // namespace Tessel::Base
