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
  auto first = std::make_unique<Recorder>(heard);
  auto second = std::make_unique<Recorder>(heard);
  auto third = std::make_unique<Recorder>(heard);
  // Sorted by address, the order of notification.
  std::vector<std::unique_ptr<Recorder>*> byAddress{&first, &second, &third};
  std::sort(byAddress.begin(), byAddress.end(), [](auto* a, auto* b) { return a->get() < b->get(); });
  std::unique_ptr<Recorder>& earliest = *byAddress[0];
  std::unique_ptr<Recorder>& middle = *byAddress[1];
  std::unique_ptr<Recorder>& latest = *byAddress[2];
  const Recorder* middleAddress = middle.get();

  // The earliest destroys the latest, and adds a listener that waits for the next round.
  std::unique_ptr<Recorder> added;
  earliest->onChange = [&] {
    latest.reset();
    added = std::make_unique<Recorder>(heard);
  };
  ViewList_Listener::do_viewlist_changed();
  EXPECT_EQ(heard, (std::vector<const Recorder*>{earliest.get(), middleAddress}));

  heard.clear();
  earliest->onChange = nullptr;
  ViewList_Listener::do_viewlist_changed();
  std::vector<const Recorder*> expected{earliest.get(), middleAddress, added.get()};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(heard, expected);
}
