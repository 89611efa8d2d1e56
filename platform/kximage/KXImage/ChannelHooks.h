#pragma once

#include <KXImage/Channel.h>
#include <KXImage/KXImageExport.h>
#include <KXImage/LayerI.h>

#include <string>

// The SDK asks every question about channel names, numbers and layers through these function
// pointers, so that the host can install its own channel registry. Until it does, the SDK
// answers from a fixed model of its own: the four channels "rgba.red", "rgba.green",
// "rgba.blue" and "rgba.alpha" (1 to 4) in one layer "rgba"; it cannot make new channels.
//
// Threads: the host replaces the pointers once, before images are processed; the functions
// behind them decide which threads may call them (the host's registry keeps to the GUI thread).
namespace KX::Image {

// The channel of the name, made (when sorted, kept in order within its layer) when new; 0 when
// no channel can be given.
extern KXIMAGE_EXPORT Channel (*pGetChannel)(const char* name, bool sorted);
// The channel of the name, or 0 when there is none; makes nothing.
extern KXIMAGE_EXPORT Channel (*pFindChannel)(const char* name);
// How many channel numbers are in use, holes included.
extern KXIMAGE_EXPORT unsigned (*pGetChannelCount)();
// The full name (layer.channel) of a channel, or null; the text belongs to the registry.
extern KXIMAGE_EXPORT const char* (*pGetName)(Channel channel);
// The name of the layer that owns a channel, or null; the text belongs to the registry.
extern KXIMAGE_EXPORT const char* (*pGetLayerName)(Channel channel);
// Which colour (0 to 3) a channel shows as, within the named layer when one is given.
extern KXIMAGE_EXPORT unsigned (*pColourIndex)(Channel channel, const char* layerName);
// The channel of entry index of the layer that owns channel, or 0.
extern KXIMAGE_EXPORT Channel (*pBrother)(Channel channel, unsigned index);
// True when a sorts before b.
extern KXIMAGE_EXPORT bool (*pCompareChannels)(Channel a, Channel b);
// The layer of the name, or null; the layer belongs to the registry.
extern KXIMAGE_EXPORT LayerI* (*pGetLayer)(const std::string& name);

} // namespace KX::Image
