#pragma once

#include <velloro/base/NonCopyable.h>
#include <velloro/base/Task.h>

#include <boost/intrusive/list.hpp>
#include <boost/unordered/unordered_flat_map.hpp>

#include <cstddef>
#include <functional>
#include <map>
#include <vector>

namespace Tessel::Base {

// The waiting tasks of one pool, in descending priority and, within one priority, in order of
// arrival. Tasks are linked through their own hook (no allocation per task); one list per
// distinct priority sits in an ordered map, with a flat hash index beside it, so adding to a
// priority already present costs O(1) (a new priority O(log P), for P distinct priorities) and
// taking the head costs O(1). The list that ran empty last stays in place, and the node of the
// one before is kept for the next new priority, so a queue that keeps running dry on one
// priority neither allocates nor rebalances the map.
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

  std::size_t size() const { return m_size; }
  bool empty() const { return m_size == 0; }

private:
  using Hook = boost::intrusive::member_hook<Task, boost::intrusive::list_member_hook<>, &Task::m_queueHook>;
  using Bucket = boost::intrusive::list<Task, Hook, boost::intrusive::constant_time_size<false>>;
  using Buckets = std::map<int, Bucket, std::greater<int>>;

  void recycle(Buckets::iterator bucket);

  Buckets m_buckets;
  // The list of each priority present; map nodes keep their address, so the pointers hold.
  boost::unordered_flat_map<int, Bucket*> m_bucketOf;
  Buckets::node_type m_spareBucket;
  // An empty list left in the map and the index, or end().
  Buckets::iterator m_emptyBucket = m_buckets.end();
  std::size_t m_size = 0;
};

} // namespace Tessel::Base
