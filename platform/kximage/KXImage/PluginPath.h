#pragma once

#include <KXImage/KXImageExport.h>

#include <string>
#include <vector>

// The directories the SDK searches for plug-ins and the files that ship with them.
//
// Threads: the list is built on first use from the environment and changed only by
// addPluginPath; call both from one thread (the host's GUI thread) before others read the list.
namespace KX::Image {

// The plug-in directories in search order: first those of the KXIMAGE_PLUGIN_PATH environment
// variable (separated as PATH is, empty elements skipped), then every directory added since.
// The C strings stay valid for the life of the process.
KXIMAGE_EXPORT const std::vector<const char*>& getPluginPath();

// Appends a directory to the end of the plug-in path (a stand-in for the host's own way of
// adding plug-in directories, so that programs can point the SDK at their own folders).
KXIMAGE_EXPORT void addPluginPath(const std::string& directory);

} // namespace KX::Image
