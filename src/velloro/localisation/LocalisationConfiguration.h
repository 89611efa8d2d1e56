#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/localisation/LocalisationPolicy.h>

#include <boost/any.hpp>
#include <boost/thread/shared_mutex.hpp>

#include <cstdint>
#include <functional>
#include <set>
#include <string>

namespace Orvik {
class ILocaliser;
}

namespace Velloro {

// The localisation settings of one host object that reads files: which files it reads, how
// eagerly they are localised, a priority, and the status last computed for it. It copies
// nothing itself; it tells its observer (normally the host's localiser) of its creation,
// changes and destruction.
//
// Threads: setters may run on any thread; each holds sConfigurationMutex exclusively only while
// it compares and changes a member, never while the observer runs, so the observer may call back
// in. The observer is handed a copy of the files taken under the lock. Getters and updateStatus
// take no lock: a reader racing with setters takes sConfigurationMutex shared. The observer runs
// on the thread that called the setter, constructor or destructor.
class VELLORO_EXPORT LocalisationConfiguration {
public:
  enum Status : std::int32_t {
    eInactive = 0,
    eNotLocalised = 1,
    eFlagged = 2,
    ePartiallyLocalised = 3,
    eLocalised = 4,
    eMarked = 5,
    eUnknown = 6
  };

  // Why the observer is called, and which files it is handed: the added or removed paths for
  // eFilesAdded and eFilesRemoved, all files otherwise.
  enum ChangedState : std::int32_t {
    eCreated = 0,
    eFilesAdded = 1,
    eFilesRemoved = 2,
    ePriorityChanged = 3,
    ePolicyChanged = 4,
    eDestroyed = 5
  };

  using Observer =
      std::function<void(LocalisationConfiguration*, const std::set<std::string>&, ChangedState)>;

  // One lock for every configuration, held exclusively by the setters.
  static boost::shared_mutex sConfigurationMutex;

  // With a localiser, the observer forwards to its configurationChanged and is told eCreated.
  explicit LocalisationConfiguration(Orvik::ILocaliser* localiser = nullptr, boost::any user = boost::any());
  // Copies notify nothing, but keep the observer, so a copy reports its own eDestroyed.
  LocalisationConfiguration(const LocalisationConfiguration& other);
  LocalisationConfiguration& operator=(const LocalisationConfiguration& other);
  ~LocalisationConfiguration();

  std::set<std::string> files() const { return m_files; }
  // Reports the removed paths, then the added ones; an unchanged set reports nothing.
  void setFiles(std::set<std::string> files);

  LocalisationPolicy localisationPolicy() const { return m_policy; }
  void setLocalisationPolicy(LocalisationPolicy policy);
  int priority() const { return m_priority; }
  void setPriority(int priority);
  Status status() const { return m_status; }
  const boost::any& user() const { return m_user; }

  // Replaces the observer (an empty function removes it) without notifying.
  void setObserver(const Observer& observer);

  // Asks the localiser for the status; true when it differs from the one held before.
  bool updateStatus(Orvik::ILocaliser* localiser);

  // The more eager of two policies; a value that is ePolicyOff or unknown yields the other.
  static LocalisationPolicy determineLocalisationPolicy(LocalisationPolicy a, LocalisationPolicy b);

private:
  void notify(const std::set<std::string>& files, ChangedState state);
  // A copy of the files, read under the shared lock.
  std::set<std::string> filesLocked() const;

  LocalisationPolicy m_policy = ePolicyFromAutoLocalizePath;
  int m_priority = 0;
  std::set<std::string> m_files;
  Observer m_observer;
  Status m_status = eUnknown;
  boost::any m_user;
};

} // namespace Velloro
