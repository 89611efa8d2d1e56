#include <velloro/localisation/ILocaliser.h>
#include <velloro/localisation/LocalisationConfiguration.h>
#include <velloro/localisation/LocalisationMode.h>
#include <velloro/localisation/LocalisationPolicy.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <boost/thread/barrier.hpp>
#include <boost/thread/lock_types.hpp>

#include <atomic>

#include <cmath>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace Velloro;
using Configuration = LocalisationConfiguration;
using Changes = std::vector<std::pair<Configuration::ChangedState, std::set<std::string>>>;

// Answers the status queries from its fields and records every query and change report.
struct RecordingLocaliser : Orvik::ILocaliser {
  bool handles = true, flagged = false, marked = false;
  double fraction = 0.0;
  std::vector<std::string> asked, markedFiles;
  Changes changes;
  Configuration* lastChanged = nullptr;

  bool handlesConfiguration(Configuration*) override {
    asked.push_back("handlesConfiguration");
    return handles;
  }
  bool isFlagged(const std::vector<std::string>&) override {
    asked.push_back("isFlagged");
    return flagged;
  }
  bool isMarked(const std::vector<std::string>& files) override {
    markedFiles = files;
    asked.push_back("isMarked");
    return marked;
  }
  void localisedFraction(const std::vector<std::string>&, double& out) override {
    EXPECT_EQ(out, 0.0) << "the caller presets the fraction";
    out = fraction;
  }
  void configurationChanged(Configuration* configuration, const std::set<std::string>& files,
                            Configuration::ChangedState state) override {
    changes.emplace_back(state, files);
    lastChanged = configuration;
  }
  void setMarked(const std::vector<std::string>&, bool) override {}
  void setFlagged(const std::vector<std::string>&, bool) override {}
  Changes take() { return std::exchange(changes, {}); }
};

TEST(LocalisationVocabulary, ModeLabelsAndPolicyNames) {
  for (const auto& [mode, label] : {std::pair(eModeOn, "on"), {eModeManual, "manual"}, {eModeOff, "off"}}) {
    EXPECT_EQ(localisationModeFromLabel(label), mode);
    EXPECT_STREQ(localisationModeLabel(mode), label);
  }
  EXPECT_STREQ(localisationModeLabel(static_cast<LocalisationMode>(7)), "off");
  for (const char* bad : {"Manual", "on ", "", "of"}) {
    EXPECT_THAT([bad] { localisationModeFromLabel(bad); },
                ::testing::ThrowsMessage<std::runtime_error>(
                    std::string("Unknown Localisation Mode label '") + bad + "'"));
  }
  EXPECT_STREQ(kLocalisationPolicyNames[ePolicyOn], "on");
  EXPECT_STREQ(kLocalisationPolicyNames[ePolicyFromAutoLocalizePath],
               "fromAutoLocalizePath\tfrom auto-localize path");
  EXPECT_STREQ(kLocalisationPolicyNames[ePolicyOnDemand], "onDemand\ton demand");
  EXPECT_STREQ(kLocalisationPolicyNames[ePolicyOff], "off");
  EXPECT_EQ(kLocalisationPolicyNames[4], nullptr);
}

TEST(LocalisationConfiguration, DetermineLocalisationPolicyPicksTheMoreEager) {
  const LocalisationPolicy all[] = {ePolicyOn, ePolicyFromAutoLocalizePath, ePolicyOnDemand, ePolicyOff};
  for (LocalisationPolicy a : all) {
    for (LocalisationPolicy b : all) {
      EXPECT_EQ(Configuration::determineLocalisationPolicy(a, b), std::min(a, b)) << a << " " << b;
    }
  }
  // An unknown value gives way to the other one, whatever it is.
  EXPECT_EQ(Configuration::determineLocalisationPolicy(static_cast<LocalisationPolicy>(9), ePolicyOff),
            ePolicyOff);
}

TEST(LocalisationConfiguration, NotifiesTheLocaliserOfItsLifeAndChangesInOrder) {
  RecordingLocaliser localiser;
  {
    Configuration configuration(&localiser, std::string("node"));
    EXPECT_EQ(boost::any_cast<std::string>(configuration.user()), "node");
    EXPECT_EQ(configuration.status(), Configuration::eUnknown);
    EXPECT_EQ(localiser.take(), (Changes{{Configuration::eCreated, {}}}));
    EXPECT_EQ(localiser.lastChanged, &configuration);

    configuration.setFiles({"a", "b"});
    localiser.take();
    configuration.setFiles({"b", "c"});
    EXPECT_EQ(localiser.take(),
              (Changes{{Configuration::eFilesRemoved, {"a"}}, {Configuration::eFilesAdded, {"c"}}}));

    // The same files, and the default priority and policy, are no change.
    configuration.setFiles({"c", "b"});
    configuration.setPriority(0);
    configuration.setLocalisationPolicy(ePolicyFromAutoLocalizePath);
    EXPECT_TRUE(localiser.take().empty()) << "unchanged values report nothing";

    configuration.setPriority(4);
    configuration.setLocalisationPolicy(ePolicyOn);
    EXPECT_EQ(localiser.take(), (Changes{{Configuration::ePriorityChanged, {"b", "c"}},
                                         {Configuration::ePolicyChanged, {"b", "c"}}}));

    // A copy keeps the observer silently and reports its own destruction.
    {
      Configuration copy(configuration);
      EXPECT_EQ(copy.files(), configuration.files());
      EXPECT_TRUE(localiser.take().empty());
    }
    EXPECT_EQ(localiser.take(), (Changes{{Configuration::eDestroyed, {"b", "c"}}}));
    EXPECT_NE(localiser.lastChanged, &configuration);
  }
  EXPECT_EQ(localiser.take(), (Changes{{Configuration::eDestroyed, {"b", "c"}}}));
}

TEST(LocalisationConfiguration, ObserverSetLaterMissesCreationButMayCallBackIntoTheConfiguration) {
  std::vector<Configuration::ChangedState> states;
  {
    Configuration configuration;
    configuration.setObserver(
        [&](Configuration* changed, const std::set<std::string>&, Configuration::ChangedState state) {
          states.push_back(state);
          if (state == Configuration::eFilesAdded) {
            // The setter has released the class-wide lock, so calling back in cannot deadlock.
            changed->setPriority(changed->priority() + 1);
            boost::shared_lock<boost::shared_mutex> reading(Configuration::sConfigurationMutex);
          }
        });
    configuration.setFiles({"x"});
    EXPECT_EQ(configuration.priority(), 1);
  }
  EXPECT_EQ(states,
            (std::vector<Configuration::ChangedState>{
                Configuration::eFilesAdded, Configuration::ePriorityChanged, Configuration::eDestroyed}));
}

// Run under ThreadSanitizer: setters on several threads while the observer reads what it is
// handed; threads setting the same priority at once must report it once.
TEST(LocalisationConfiguration, ConcurrentSettersHandTheObserverAStableSetAndNotifyOnce) {
  std::atomic<int> priorityChanges{0};
  std::atomic<std::size_t> charactersRead{0};
  Configuration configuration;
  configuration.setObserver(
      [&](Configuration*, const std::set<std::string>& files, Configuration::ChangedState state) {
        for (const std::string& file : files) {
          charactersRead += file.size();
        }
        priorityChanges += state == Configuration::ePriorityChanged;
      });

  std::atomic<bool> done{false};
  std::thread filesSetter([&] {
    const std::string shared = "/remote/shots/sh010/plates/plate.";
    for (int i = 0; !done; ++i) {
      configuration.setFiles({shared + std::to_string(i % 7), shared + std::to_string(i % 5) + ".exr"});
    }
  });
  std::thread policySetter([&] {
    for (int i = 0; !done; ++i) {
      configuration.setLocalisationPolicy(i % 2 ? ePolicyOn : ePolicyOnDemand);
    }
  });

  constexpr int kRounds = 100;
  constexpr unsigned kPrioritySetters = 3;
  boost::barrier roundStart(kPrioritySetters);
  std::vector<std::thread> prioritySetters;
  for (unsigned t = 0; t < kPrioritySetters; ++t) {
    prioritySetters.emplace_back([&] {
      for (int round = 1; round <= kRounds; ++round) {
        roundStart.wait();
        configuration.setPriority(round);
      }
    });
  }
  for (std::thread& setter : prioritySetters) {
    setter.join();
  }
  done = true;
  filesSetter.join();
  policySetter.join();
  EXPECT_EQ(priorityChanges, kRounds);
  EXPECT_GT(charactersRead, 0u);
}

TEST(LocalisationConfiguration, UpdateStatusAsksTheLocaliserInOrder) {
  RecordingLocaliser localiser;
  Configuration configuration;
  configuration.setFiles({"b", "a"});

  localiser.handles = false;
  EXPECT_TRUE(configuration.updateStatus(&localiser));
  EXPECT_EQ(configuration.status(), Configuration::eInactive);
  EXPECT_EQ(localiser.asked, std::vector<std::string>{"handlesConfiguration"});
  EXPECT_FALSE(configuration.updateStatus(&localiser)) << "same status again";

  localiser.handles = localiser.flagged = localiser.marked = true;
  EXPECT_TRUE(configuration.updateStatus(&localiser));
  EXPECT_EQ(configuration.status(), Configuration::eFlagged);

  localiser.flagged = false;
  localiser.asked.clear();
  configuration.updateStatus(&localiser);
  EXPECT_EQ(configuration.status(), Configuration::eMarked);
  EXPECT_EQ(localiser.asked, (std::vector<std::string>{"handlesConfiguration", "isFlagged", "isMarked"}));
  EXPECT_EQ(localiser.markedFiles, (std::vector<std::string>{"a", "b"})) << "files go in set order";

  localiser.marked = false;
  const std::pair<double, Configuration::Status> fractions[] = {
      {0.5, Configuration::ePartiallyLocalised},
      {1.0, Configuration::eLocalised},
      {0.0, Configuration::eNotLocalised},
      {1.5, Configuration::ePartiallyLocalised},
      {std::nan(""), Configuration::ePartiallyLocalised}};
  for (const auto& [fraction, status] : fractions) {
    localiser.fraction = fraction;
    configuration.updateStatus(&localiser);
    EXPECT_EQ(configuration.status(), status) << fraction;
  }
}

} // namespace
