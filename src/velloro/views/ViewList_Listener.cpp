#include <velloro/views/ViewList_Listener.h>

namespace Velloro {

std::set<ViewList_Listener*> ViewList_Listener::all_listeners;

namespace {

// The listeners a notification has still to call. Notifications may nest (a listener may notify
// again), so each walk links to the one it interrupted.
struct Walk {
  std::set<ViewList_Listener*> pending;
  Walk* interrupted;
};

// A plain pointer, so that listeners destroyed late at exit never meet a destroyed container.
Walk* sInnermostWalk = nullptr;

} // namespace

ViewList_Listener::ViewList_Listener() {
  all_listeners.insert(this);
}

ViewList_Listener::ViewList_Listener(const ViewList_Listener&) {}

ViewList_Listener& ViewList_Listener::operator=(const ViewList_Listener&) {
  return *this;
}

ViewList_Listener::~ViewList_Listener() {
  all_listeners.erase(this);
  // Walks in progress must not call this listener any more, even if a new listener is later
  // made at the same address.
  for (Walk* walk = sInnermostWalk; walk; walk = walk->interrupted) {
    walk->pending.erase(this);
  }
}

void ViewList_Listener::do_viewlist_changed() {
  // Listeners registered while notifying wait for the next notification.
  Walk walk{all_listeners, sInnermostWalk};
  sInnermostWalk = &walk;
  struct EndWalk {
    Walk& walk;
    ~EndWalk() { sInnermostWalk = walk.interrupted; }
  } endWalk{walk};

  while (!walk.pending.empty()) {
    ViewList_Listener* listener = *walk.pending.begin();
    walk.pending.erase(walk.pending.begin());
    listener->viewlist_changed();
  }
}

} // namespace Velloro
