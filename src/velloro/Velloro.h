#pragma once

// Every public header of the library.

#include <velloro/VelloroExport.h>

#include <velloro/base/Exceptions.h>
#include <velloro/base/Log.h>
#include <velloro/base/NonCopyable.h>
#include <velloro/base/System.h>
#include <velloro/base/Task.h>
#include <velloro/base/ThreadPoolBase.h>
#include <velloro/base/ThreadPoolBoost.h>

#include <velloro/colour/ColorTransforms.h>
#include <velloro/colour/ConfigInfo.h>
#include <velloro/colour/ConfigPaths.h>
#include <velloro/colour/DisplayTransformName.h>
#include <velloro/colour/OCIOConfigManager.h>
#include <velloro/colour/OCIORolesBehavior.h>

#include <velloro/eventgraph/EventAdderProxy.h>
#include <velloro/eventgraph/EventGraphCoreMediaOperationTimer.h>
#include <velloro/eventgraph/EventGraphSettings.h>
#include <velloro/eventgraph/EventStopperProxy.h>
#include <velloro/eventgraph/EventTrackProxy.h>
#include <velloro/eventgraph/EventUserDataErrorAndOtherUserData.h>
#include <velloro/eventgraph/EventUserDataFileAndFrame.h>
#include <velloro/eventgraph/EventUserDataFrameAndDuration.h>
#include <velloro/eventgraph/EventUserDataFrameAndImage.h>

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

#include <velloro/knobs/GetUserKnobInfo.h>
#include <velloro/knobs/KnobTypeInfo.h>
#include <velloro/knobs/UserKnobEditor.h>

#include <velloro/localisation/ILocaliser.h>
#include <velloro/localisation/LocalisationConfiguration.h>
#include <velloro/localisation/LocalisationEngine.h>
#include <velloro/localisation/LocalisationMode.h>
#include <velloro/localisation/LocalisationPolicy.h>
#include <velloro/localisation/LocalisationQueue.h>

#include <velloro/pixelanalyser/ColorSampleButton.h>
#include <velloro/pixelanalyser/ColorSampleEmitter.h>
#include <velloro/pixelanalyser/DisplayValues.h>
#include <velloro/pixelanalyser/PixelAnalyserManager.h>
#include <velloro/pixelanalyser/PixelAnalyserModel.h>
#include <velloro/pixelanalyser/PixelAnalyserWidget.h>
#include <velloro/pixelanalyser/PixelSample.h>
#include <velloro/pixelanalyser/PixelSampleOptions.h>
#include <velloro/pixelanalyser/PixelSampler.h>
#include <velloro/pixelanalyser/SampleData.h>

#include <velloro/views/CreateViewsDialog.h>
#include <velloro/views/StereoControls.h>
#include <velloro/views/View.h>
#include <velloro/views/ViewButton.h>
#include <velloro/views/ViewDataModel.h>
#include <velloro/views/ViewList_Listener.h>
#include <velloro/views/ViewPath.h>
#include <velloro/views/ViewSettings.h>

#include <velloro/preview/DrawCursorShaderOp.h>
#include <velloro/preview/FilePreviewFactory.h>
#include <velloro/preview/OrvikFilePreview.h>
#include <velloro/preview/PreviewWidget.h>
#include <velloro/viewerui/EditableFrameRateChooser.h>
#include <velloro/viewerui/FPSControlWidget.h>
#include <velloro/viewerui/FPSLabel.h>
#include <velloro/viewerui/FrameMode.h>
#include <velloro/viewerui/FrameRateChooser.h>
#include <velloro/viewerui/SampleRateChooser.h>
#include <velloro/viewerui/TimeBaseChooser.h>
#include <velloro/viewerui/ViewerChooser.h>
#include <velloro/viewerui/ViewerFrameLockButton.h>
#include <velloro/viewerui/ViewerFrameRangeChoice.h>
#include <velloro/viewerui/ViewerInOutButton.h>
#include <velloro/viewerui/ViewerInOutObject.h>
#include <velloro/viewerui/ViewerModelInterface.h>
#include <velloro/viewerui/ViewerModelItem.h>
#include <velloro/viewerui/ViewerPlaybackControls.h>
#include <velloro/viewerui/ViewerSortProxyModel.h>
#include <velloro/viewerui/ViewersModel.h>

#include <velloro/widgets/ColourItemDelegate.h>
#include <velloro/widgets/ContrastingColor.h>
#include <velloro/widgets/ExtendedDynamicRange.h>
#include <velloro/widgets/HoverFocus.h>
#include <velloro/widgets/InfoBubble.h>
#include <velloro/widgets/OpenGLStereo.h>
#include <velloro/widgets/PosterFrameSetting.h>
#include <velloro/widgets/ToolbarLabel.h>
