#include <velloro/views/ViewList_Listener.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

using Velloro::ViewList_Listener;

namespace {

class Recorder;
using Heard = std::vector<const Recorder*>;

// Records the order in which listeners hear a change, and may act while notified.
struct Recorder : ViewList_Listener {
  explicit Recorder(Heard& heard)
      : heard(&heard) {}
  void viewlist_changed() override {
    heard->push_back(this);
    if (onChange) {
      onChange();
    }
  }
  Heard* heard;
  std::function<void()> onChange;
};

// `count` listeners, sorted by address: the order they are notified in.
std::vector<std::unique_ptr<Recorder>> listenersInOrder(int count, Heard& heard) {
  std::vector<std::unique_ptr<Recorder>> listeners;
  for (int i = 0; i < count; ++i) {
    listeners.push_back(std::make_unique<Recorder>(heard));
  }
  std::sort(listeners.begin(), listeners.end());
  return listeners;
}

} // namespace

TEST(ViewListListener, NotifiesRegisteredListenersInAddressOrderButNotCopies) {
  Heard heard;
  auto listeners = listenersInOrder(6, heard);
  const Recorder copy(*listeners.front());
  Recorder assigned(heard);
  assigned = copy;

  ViewList_Listener::do_viewlist_changed();
  Heard expected{&assigned};
  for (const auto& listener : listeners) {
    expected.push_back(listener.get());
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(heard, expected);

  listeners.clear();
  heard.clear();
  ViewList_Listener::do_viewlist_changed();
  EXPECT_EQ(heard, (Heard{&assigned}));
}

TEST(ViewListListener, ListenersChangingTheListWhileNotified) {
  Heard heard;
  auto listeners = listenersInOrder(4, heard);
  const Recorder* first = listeners[0].get();
  const Recorder* second = listeners[1].get();

  // The first destroys the last, and adds a listener that waits for the next notification.
  std::unique_ptr<Recorder> added;
  listeners[0]->onChange = [&] {
    listeners[3].reset();
    added = std::make_unique<Recorder>(heard);
  };
  ViewList_Listener::do_viewlist_changed();
  EXPECT_EQ(heard, (Heard{first, second, listeners[2].get()}));
  heard.clear();
  listeners[0]->onChange = nullptr;
  ViewList_Listener::do_viewlist_changed();
  Heard expected{first, second, listeners[2].get(), added.get()};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(heard, expected);

  // A notification from inside another: the inner one destroys a listener the outer has yet to reach.
  heard.clear();
  added.reset();
  bool nested = false;
  listeners[0]->onChange = [&nested] {
    if (!nested) {
      nested = true;
      ViewList_Listener::do_viewlist_changed();
    }
  };
  listeners[1]->onChange = [&listeners] { listeners[2].reset(); };
  ViewList_Listener::do_viewlist_changed();
  EXPECT_EQ(heard, (Heard{first, first, second, second}));
}
