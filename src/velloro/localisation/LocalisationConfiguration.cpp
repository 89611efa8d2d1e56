#include <velloro/localisation/ILocaliser.h>
#include <velloro/localisation/LocalisationConfiguration.h>

#include <boost/thread/lock_types.hpp>

#include <algorithm>
#include <iterator>
#include <mutex>
#include <vector>

namespace Velloro {

boost::shared_mutex LocalisationConfiguration::sConfigurationMutex;

LocalisationConfiguration::LocalisationConfiguration(Orvik::ILocaliser* localiser, boost::any user)
    : m_user(std::move(user)) {
  if (localiser) {
    m_observer = [localiser](LocalisationConfiguration* configuration, const std::set<std::string>& files,
                             ChangedState state) {
      localiser->configurationChanged(configuration, files, state);
    };
  }
  notify(m_files, eCreated);
}

LocalisationConfiguration::LocalisationConfiguration(const LocalisationConfiguration& other)
    : m_policy(other.m_policy)
    , m_priority(other.m_priority)
    , m_files(other.m_files)
    , m_observer(other.m_observer)
    , m_status(other.m_status)
    , m_user(other.m_user) {}

LocalisationConfiguration& LocalisationConfiguration::operator=(const LocalisationConfiguration& other) {
  if (this != &other) {
    m_policy = other.m_policy;
    m_priority = other.m_priority;
    m_files = other.m_files;
    m_observer = other.m_observer;
    m_status = other.m_status;
    m_user = other.m_user;
  }
  return *this;
}

LocalisationConfiguration::~LocalisationConfiguration() {
  notify(filesLocked(), eDestroyed);
}

std::set<std::string> LocalisationConfiguration::filesLocked() const {
  boost::shared_lock<boost::shared_mutex> lock(sConfigurationMutex);
  return m_files;
}

void LocalisationConfiguration::notify(const std::set<std::string>& files, ChangedState state) {
  if (m_observer) {
    m_observer(this, files, state);
  }
}

void LocalisationConfiguration::setFiles(std::set<std::string> files) {
  std::set<std::string> removed;
  std::set<std::string> added;
  {
    std::unique_lock<boost::shared_mutex> lock(sConfigurationMutex);
    if (m_observer) {
      std::set_difference(m_files.begin(), m_files.end(), files.begin(), files.end(),
                          std::inserter(removed, removed.end()));
      std::set_difference(files.begin(), files.end(), m_files.begin(), m_files.end(),
                          std::inserter(added, added.end()));
    }
    m_files.swap(files);
  }
  if (!removed.empty()) {
    notify(removed, eFilesRemoved);
  }
  if (!added.empty()) {
    notify(added, eFilesAdded);
  }
}

// The observer gets a copy of the files taken under the lock: a concurrent setFiles() may
// replace the set while the observer reads it. Comparing under the lock too means that of two
// threads setting the same value, only one notifies.
void LocalisationConfiguration::setLocalisationPolicy(LocalisationPolicy policy) {
  std::set<std::string> files;
  {
    std::unique_lock<boost::shared_mutex> lock(sConfigurationMutex);
    if (policy == m_policy) {
      return;
    }
    m_policy = policy;
    files = m_files;
  }
  notify(files, ePolicyChanged);
}

void LocalisationConfiguration::setPriority(int priority) {
  std::set<std::string> files;
  {
    std::unique_lock<boost::shared_mutex> lock(sConfigurationMutex);
    if (priority == m_priority) {
      return;
    }
    m_priority = priority;
    files = m_files;
  }
  notify(files, ePriorityChanged);
}

void LocalisationConfiguration::setObserver(const Observer& observer) {
  m_observer = observer;
}

bool LocalisationConfiguration::updateStatus(Orvik::ILocaliser* localiser) {
  const Status before = m_status;
  if (!localiser->handlesConfiguration(this)) {
    m_status = eInactive;
  } else {
    const std::vector<std::string> files(m_files.begin(), m_files.end());
    if (localiser->isFlagged(files)) {
      m_status = eFlagged;
    } else if (localiser->isMarked(files)) {
      m_status = eMarked;
    } else {
      double fraction = 0.0;
      localiser->localisedFraction(files, fraction);
      if (fraction == 1.0) {
        m_status = eLocalised;
      } else if (fraction == 0.0) {
        m_status = eNotLocalised;
      } else {
        m_status = ePartiallyLocalised;
      }
    }
  }
  return m_status != before;
}

LocalisationPolicy LocalisationConfiguration::determineLocalisationPolicy(LocalisationPolicy a,
                                                                          LocalisationPolicy b) {
  switch (a) {
  case ePolicyOn:
    return ePolicyOn;
  case ePolicyFromAutoLocalizePath:
    return b == ePolicyOn ? ePolicyOn : ePolicyFromAutoLocalizePath;
  case ePolicyOnDemand:
    if (b == ePolicyOn || b == ePolicyFromAutoLocalizePath) {
      return b;
    }
    return ePolicyOnDemand;
  default:
    return b;
  }
}

} // namespace Velloro
