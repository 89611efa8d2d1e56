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
    : _user(std::move(user)) {
  if (localiser) {
    _observer = [localiser](LocalisationConfiguration* configuration, const std::set<std::string>& files,
                            ChangedState state) {
      localiser->configurationChanged(configuration, files, state);
    };
  }
  notify(_files, eCreated);
}

LocalisationConfiguration::LocalisationConfiguration(const LocalisationConfiguration& other)
    : _policy(other._policy)
    , _priority(other._priority)
    , _files(other._files)
    , _observer(other._observer)
    , _status(other._status)
    , _user(other._user) {}

LocalisationConfiguration& LocalisationConfiguration::operator=(const LocalisationConfiguration& other) {
  if (this != &other) {
    _policy = other._policy;
    _priority = other._priority;
    _files = other._files;
    _observer = other._observer;
    _status = other._status;
    _user = other._user;
  }
  return *this;
}

LocalisationConfiguration::~LocalisationConfiguration() {
  notify(filesLocked(), eDestroyed);
}

std::set<std::string> LocalisationConfiguration::filesLocked() const {
  boost::shared_lock<boost::shared_mutex> lock(sConfigurationMutex);
  return _files;
}

void LocalisationConfiguration::notify(const std::set<std::string>& files, ChangedState state) {
  if (_observer) {
    _observer(this, files, state);
  }
}

void LocalisationConfiguration::setFiles(std::set<std::string> files) {
  std::set<std::string> removed;
  std::set<std::string> added;
  {
    std::unique_lock<boost::shared_mutex> lock(sConfigurationMutex);
    if (_observer) {
      std::set_difference(_files.begin(), _files.end(), files.begin(), files.end(),
                          std::inserter(removed, removed.end()));
      std::set_difference(files.begin(), files.end(), _files.begin(), _files.end(),
                          std::inserter(added, added.end()));
    }
    _files.swap(files);
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
    if (policy == _policy) {
      return;
    }
    _policy = policy;
    files = _files;
  }
  notify(files, ePolicyChanged);
}

void LocalisationConfiguration::setPriority(int priority) {
  std::set<std::string> files;
  {
    std::unique_lock<boost::shared_mutex> lock(sConfigurationMutex);
    if (priority == _priority) {
      return;
    }
    _priority = priority;
    files = _files;
  }
  notify(files, ePriorityChanged);
}

void LocalisationConfiguration::setObserver(const Observer& observer) {
  _observer = observer;
}

bool LocalisationConfiguration::updateStatus(Orvik::ILocaliser* localiser) {
  const Status before = _status;
  if (!localiser->handlesConfiguration(this)) {
    _status = eInactive;
  } else {
    const std::vector<std::string> files(_files.begin(), _files.end());
    if (localiser->isFlagged(files)) {
      _status = eFlagged;
    } else if (localiser->isMarked(files)) {
      _status = eMarked;
    } else {
      double fraction = 0.0;
      localiser->localisedFraction(files, fraction);
      if (fraction == 1.0) {
        _status = eLocalised;
      } else if (fraction == 0.0) {
        _status = eNotLocalised;
      } else {
        _status = ePartiallyLocalised;
      }
    }
  }
  return _status != before;
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
