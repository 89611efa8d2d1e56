#pragma once

namespace Tessel::UI {

// What a viewer's playback is doing, as the transport controls and the time slider show it.
enum PlaybackStatus { eStopped = 0, ePlayingForwards = 1, ePlayingBackwards = 2 };

} // namespace Tessel::UI
