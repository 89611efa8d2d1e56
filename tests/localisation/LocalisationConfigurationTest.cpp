#include <velloro/localisation/ILocaliser.h>
#include <velloro/localisation/LocalisationConfiguration.h>
#include <velloro/localisation/LocalisationMode.h>
#include <velloro/localisation/LocalisationPolicy.h>

#include <gtest/gtest.h>

#include <boost/thread/lock_types.hpp>

#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace Velloro;
using Configuration = LocalisationConfiguration;

struct Notification {
  Configuration* configuration;
  std::set<std::string> files;
  Configuration::ChangedState state;
};

// Answers the status queries from its fields and records every change report.
class RecordingLocaliser : public Orvik::ILocaliser {
public:
  bool handles = true;
  bool flagged = false;
  bool marked = false;
  double fraction = 0.0;
  std::vector<Notification> notifications;
  std::vector<std::string> asked;

  bool isMarked(const std::vector<std::string>& files) override {
    asked.push_back("isMarked");
    lastFiles = files;
    return marked;
  }
  void setMarked(const std::vector<std::string>&, bool) override {}
  bool isFlagged(const std::vector<std::string>&) override {
    asked.push_back("isFlagged");
    return flagged;
  }
  void setFlagged(const std::vector<std::string>&, bool) override {}
  void localisedFraction(const std::vector<std::string>&, double& out) override {
    asked.push_back("localisedFraction");
    EXPECT_EQ(out, 0.0) << "the caller presets the fraction";
    out = fraction;
  }
  void configurationChanged(Configuration* configuration, const std::set<std::string>& files,
                            Configuration::ChangedState state) override {
    notifications.push_back({configuration, files, state});
  }
  bool handlesConfiguration(Configuration*) override {
    asked.push_back("handlesConfiguration");
    return handles;
  }

  std::vector<std::string> lastFiles;
};

TEST(LocalisationVocabulary, ModeLabelsAndPolicyNames) {
  EXPECT_EQ(localisationModeFromLabel("on"), eModeOn);
  EXPECT_EQ(localisationModeFromLabel("manual"), eModeManual);
  EXPECT_EQ(localisationModeFromLabel("off"), eModeOff);
  for (const char* bad : {"Manual", "on ", "", "of"}) {
    try {
      localisationModeFromLabel(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(std::string(error.what()), std::string("Unknown Localisation Mode label '") + bad + "'");
    }
  }
  EXPECT_STREQ(localisationModeLabel(eModeOn), "on");
  EXPECT_STREQ(localisationModeLabel(eModeManual), "manual");
  EXPECT_STREQ(localisationModeLabel(eModeOff), "off");
  EXPECT_STREQ(localisationModeLabel(static_cast<LocalisationMode>(7)), "off");

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
  EXPECT_EQ(Configuration::determineLocalisationPolicy(ePolicyOff, ePolicyOnDemand), ePolicyOnDemand);
  EXPECT_EQ(Configuration::determineLocalisationPolicy(ePolicyOnDemand, ePolicyOff), ePolicyOnDemand);
  EXPECT_EQ(Configuration::determineLocalisationPolicy(ePolicyFromAutoLocalizePath, ePolicyOn), ePolicyOn);
  // An unknown value gives way to the other one, whatever it is.
  EXPECT_EQ(Configuration::determineLocalisationPolicy(static_cast<LocalisationPolicy>(9), ePolicyOff),
            ePolicyOff);
}

TEST(LocalisationConfiguration, NotifiesTheLocaliserOfItsLifeAndChangesInOrder) {
  RecordingLocaliser localiser;
  {
    Configuration configuration(&localiser, std::string("node"));
    EXPECT_EQ(boost::any_cast<std::string>(configuration.user()), "node");
    EXPECT_EQ(configuration.localisationPolicy(), ePolicyFromAutoLocalizePath);
    EXPECT_EQ(configuration.status(), Configuration::eUnknown);
    ASSERT_EQ(localiser.notifications.size(), 1u);
    EXPECT_EQ(localiser.notifications[0].state, Configuration::eCreated);
    EXPECT_EQ(localiser.notifications[0].configuration, &configuration);
    EXPECT_TRUE(localiser.notifications[0].files.empty());

    configuration.setFiles({"a", "b"});
    localiser.notifications.clear();
    configuration.setFiles({"b", "c"});
    ASSERT_EQ(localiser.notifications.size(), 2u);
    EXPECT_EQ(localiser.notifications[0].state, Configuration::eFilesRemoved);
    EXPECT_EQ(localiser.notifications[0].files, (std::set<std::string>{"a"}));
    EXPECT_EQ(localiser.notifications[1].state, Configuration::eFilesAdded);
    EXPECT_EQ(localiser.notifications[1].files, (std::set<std::string>{"c"}));

    localiser.notifications.clear();
    configuration.setFiles({"c", "b"});
    configuration.setPriority(0);
    configuration.setLocalisationPolicy(ePolicyFromAutoLocalizePath);
    EXPECT_TRUE(localiser.notifications.empty()) << "unchanged values report nothing";

    configuration.setPriority(4);
    configuration.setLocalisationPolicy(ePolicyOn);
    ASSERT_EQ(localiser.notifications.size(), 2u);
    EXPECT_EQ(localiser.notifications[0].state, Configuration::ePriorityChanged);
    EXPECT_EQ(localiser.notifications[0].files, (std::set<std::string>{"b", "c"}));
    EXPECT_EQ(localiser.notifications[1].state, Configuration::ePolicyChanged);
    EXPECT_EQ(configuration.priority(), 4);

    // A copy keeps the observer silently and reports its own destruction.
    localiser.notifications.clear();
    {
      Configuration copy(configuration);
      EXPECT_EQ(copy.files(), configuration.files());
      EXPECT_TRUE(localiser.notifications.empty());
    }
    ASSERT_EQ(localiser.notifications.size(), 1u);
    EXPECT_EQ(localiser.notifications[0].state, Configuration::eDestroyed);
    EXPECT_NE(localiser.notifications[0].configuration, &configuration);
    localiser.notifications.clear();
  }
  ASSERT_EQ(localiser.notifications.size(), 1u);
  EXPECT_EQ(localiser.notifications[0].state, Configuration::eDestroyed);
  EXPECT_EQ(localiser.notifications[0].files, (std::set<std::string>{"b", "c"}));
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

TEST(LocalisationConfiguration, UpdateStatusAsksTheLocaliserInOrder) {
  RecordingLocaliser localiser;
  Configuration configuration;
  configuration.setFiles({"b", "a"});

  localiser.handles = false;
  EXPECT_TRUE(configuration.updateStatus(&localiser));
  EXPECT_EQ(configuration.status(), Configuration::eInactive);
  EXPECT_EQ(localiser.asked, std::vector<std::string>{"handlesConfiguration"});
  EXPECT_FALSE(configuration.updateStatus(&localiser)) << "same status again";

  localiser.handles = true;
  localiser.flagged = true;
  localiser.marked = true;
  EXPECT_TRUE(configuration.updateStatus(&localiser));
  EXPECT_EQ(configuration.status(), Configuration::eFlagged);

  localiser.flagged = false;
  localiser.asked.clear();
  configuration.updateStatus(&localiser);
  EXPECT_EQ(configuration.status(), Configuration::eMarked);
  EXPECT_EQ(localiser.asked, (std::vector<std::string>{"handlesConfiguration", "isFlagged", "isMarked"}));
  EXPECT_EQ(localiser.lastFiles, (std::vector<std::string>{"a", "b"})) << "files go in set order";

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
