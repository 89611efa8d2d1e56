#pragma once

// Every public header of the library.

#include <velloro/VelloroExport.h>

#include <velloro/base/Exceptions.h>
#include <velloro/base/Log.h>
#include <velloro/base/System.h>

#include <velloro/image/ChannelDesc.h>
#include <velloro/image/ChannelVector.h>
#include <velloro/image/ConcreteChannelDesc.h>
#include <velloro/image/ConcreteLayer.h>
#include <velloro/image/ConcreteStereoChannelDesc.h>
#include <velloro/image/Layer.h>
#include <velloro/image/LayerPointers.h>
#include <velloro/image/LayerVector.h>
#include <velloro/image/StereoChannelDesc.h>
#include <velloro/image/StereoLayer.h>
