#pragma once

#include <velloro/VelloroExport.h>

#include <set>

namespace Velloro {

// Base for objects that want to hear that the host's list of views changed. Constructing one
// registers it; destroying it unregisters it. A copy is not registered, so it is not notified.
//
// Threads: the GUI thread only; registration and notification are unsynchronised.
class VELLORO_EXPORT ViewList_Listener {
public:
  virtual ~ViewList_Listener();
  virtual void viewlist_changed() = 0;

  // Notifies every registered listener in address order. A listener may add or remove listeners
  // (itself included) while notified: those added wait for the next call, those removed are not
  // called any more.
  static void do_viewlist_changed();

  static std::set<ViewList_Listener*> all_listeners;

protected:
  ViewList_Listener();
  ViewList_Listener(const ViewList_Listener& other);
  ViewList_Listener& operator=(const ViewList_Listener& other);
};

} // namespace Velloro
