#pragma once

// Every public header of the library.

#include <velloro/VelloroExport.h>

#include <velloro/base/Exceptions.h>
#include <velloro/base/Log.h>
#include <velloro/base/System.h>
#include <velloro/colour/ColorTransforms.h>
#include <velloro/colour/ConfigInfo.h>
#include <velloro/colour/ConfigPaths.h>
#include <velloro/colour/DisplayTransformName.h>
#include <velloro/colour/OCIOConfigManager.h>
#include <velloro/colour/OCIORolesBehavior.h>
