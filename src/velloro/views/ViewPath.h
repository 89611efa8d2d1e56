#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/views/View.h>

#include <functional>
#include <string>
#include <utility>

// Paths that name a view through the placeholders "%V" (the full view name) and "%v" (its first
// character), and the host's rule for finding the view a path refers to.
//
// Threads: the callback is stored unsynchronised; set and use it on the GUI thread. The
// formatting functions may run on any thread.
namespace Velloro {

class ViewDataModel;

// The host's rule: the view a path refers to in a model, and the host's text about the match.
using FindViewInPathCallback =
    std::function<std::pair<View, std::string>(const std::string&, ViewDataModel*)>;

// Replaces any earlier callback.
VELLORO_EXPORT void SetFindViewInPathCallback(const FindViewInPathCallback& callback);

// The callback's answer, or the empty view and an empty string while no callback is set.
VELLORO_EXPORT std::pair<View, std::string> FindViewInPath(const std::string& path, ViewDataModel* model);

// Every "%V" replaced by the view name, then every "%v" by its first character (nothing for an
// empty name). Both placeholders match case exactly.
VELLORO_EXPORT std::string FormatMultiViewPath(const std::string& path, const std::string& viewName);

// Whether the path holds "%v" or "%V".
VELLORO_EXPORT bool IsMultiViewPath(const std::string& path);

} // namespace Velloro
