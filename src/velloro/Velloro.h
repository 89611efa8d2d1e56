#pragma once

// Every public header of the library.

#include <velloro/VelloroExport.h>

#include <velloro/base/Exceptions.h>
#include <velloro/base/Log.h>
#include <velloro/base/System.h>

#include <velloro/eventgraph/EventAdderProxy.h>
#include <velloro/eventgraph/EventGraphCoreMediaOperationTimer.h>
#include <velloro/eventgraph/EventGraphSettings.h>
#include <velloro/eventgraph/EventStopperProxy.h>
#include <velloro/eventgraph/EventTrackProxy.h>
#include <velloro/eventgraph/EventUserDataErrorAndOtherUserData.h>
#include <velloro/eventgraph/EventUserDataFileAndFrame.h>
#include <velloro/eventgraph/EventUserDataFrameAndDuration.h>
#include <velloro/eventgraph/EventUserDataFrameAndImage.h>

#include <velloro/widgets/ColourItemDelegate.h>
#include <velloro/widgets/ContrastingColor.h>
#include <velloro/widgets/ExtendedDynamicRange.h>
#include <velloro/widgets/HoverFocus.h>
#include <velloro/widgets/InfoBubble.h>
#include <velloro/widgets/OpenGLStereo.h>
#include <velloro/widgets/PosterFrameSetting.h>
#include <velloro/widgets/ToolbarLabel.h>
