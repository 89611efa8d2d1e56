#pragma once

// Every public header of the library.

#include <velloro/VelloroExport.h>

#include <velloro/base/Exceptions.h>
#include <velloro/base/Log.h>
#include <velloro/base/NonCopyable.h>
#include <velloro/base/RefCounter.h>
#include <velloro/base/System.h>
#include <velloro/base/Task.h>
#include <velloro/base/ThreadPoolBase.h>
#include <velloro/base/ThreadPoolBoost.h>
#include <velloro/localisation/ILocaliser.h>
#include <velloro/localisation/LocalisationConfiguration.h>
#include <velloro/localisation/LocalisationEngine.h>
#include <velloro/localisation/LocalisationMode.h>
#include <velloro/localisation/LocalisationPolicy.h>
#include <velloro/localisation/LocalisationQueue.h>
