#include <velloro/views/ViewList_Listener.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

using Velloro::ViewList_Listener;

namespace {

// Records the order in which listeners hear a change, and may act while notified.
class Recorder : public ViewList_Listener {
public:
  explicit Recorder(std::vector<const Recorder*>& heard)
      : m_heard(&heard) {}

  void viewlist_changed() override {
    m_heard->push_back(this);
    if (onChange) {
      onChange();
    }
  }

  std::function<void()> onChange;

private:
  std::vector<const Recorder*>* m_heard;
};

} // namespace

TEST(ViewListListener, NotifiesRegisteredListenersInAddressOrderButNotCopies) {
  std::vector<const Recorder*> heard;
  std::vector<std::unique_ptr<Recorder>> listeners;
  for (int i = 0; i < 6; ++i) {
    listeners.push_back(std::make_unique<Recorder>(heard));
  }
  const Recorder copy(*listeners.front());
  Recorder assigned(heard);
  assigned = copy;

  ViewList_Listener::do_viewlist_changed();
  std::vector<const Recorder*> expected;
  for (const auto& listener : listeners) {
    expected.push_back(listener.get());
  }
  expected.push_back(&assigned);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(heard, expected);
  EXPECT_EQ(std::count(heard.begin(), heard.end(), &copy), 0);

  listeners.clear();
  heard.clear();
  ViewList_Listener::do_viewlist_changed();
  EXPECT_EQ(heard, (std::vector<const Recorder*>{&assigned}));
}

TEST(ViewListListener, ListenersChangingTheListWhileNotified) {
  std::vector<const Recorder*> heard;
  std::vector<std::unique_ptr<Recorder>> listeners;
  for (int i = 0; i < 3; ++i) {
    listeners.push_back(std::make_unique<Recorder>(heard));
  }
  std::sort(listeners.begin(), listeners.end());
  const Recorder* first = listeners[0].get();
  const Recorder* second = listeners[1].get();

  // The first destroys the last, and adds a listener that waits for the next notification.
  std::unique_ptr<Recorder> added;
  listeners[0]->onChange = [&] {
    listeners[2].reset();
    added = std::make_unique<Recorder>(heard);
  };
  ViewList_Listener::do_viewlist_changed();
  EXPECT_EQ(heard, (std::vector<const Recorder*>{first, second}));

  heard.clear();
  listeners[0]->onChange = nullptr;
  ViewList_Listener::do_viewlist_changed();
  std::vector<const Recorder*> expected{first, second, added.get()};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(heard, expected);
}

TEST(ViewListListener, ListenerDestroyedInANestedNotificationIsNotCalledByTheOuterOne) {
  std::vector<const Recorder*> heard;
  std::vector<std::unique_ptr<Recorder>> listeners;
  for (int i = 0; i < 3; ++i) {
    listeners.push_back(std::make_unique<Recorder>(heard));
  }
  std::sort(listeners.begin(), listeners.end());
  const Recorder* first = listeners[0].get();
  const Recorder* second = listeners[1].get();

  bool nested = false;
  listeners[0]->onChange = [&nested] {
    if (!nested) {
      nested = true;
      ViewList_Listener::do_viewlist_changed();
    }
  };
  listeners[1]->onChange = [&listeners] { listeners[2].reset(); };
  ViewList_Listener::do_viewlist_changed();
  EXPECT_EQ(heard, (std::vector<const Recorder*>{first, first, second, second}));
}
