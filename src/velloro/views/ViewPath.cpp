#include <velloro/views/ViewPath.h>

#include <boost/algorithm/string/predicate.hpp>
#include <boost/algorithm/string/replace.hpp>

namespace Velloro {

namespace {

FindViewInPathCallback& findViewInPathCallback() {
  static FindViewInPathCallback callback;
  return callback;
}

} // namespace

void SetFindViewInPathCallback(const FindViewInPathCallback& callback) {
  findViewInPathCallback() = callback;
}

std::pair<View, std::string> FindViewInPath(const std::string& path, ViewDataModel* model) {
  const FindViewInPathCallback& callback = findViewInPathCallback();
  if (!callback) {
    return {View(), std::string()};
  }
  return callback(path, model);
}

std::string FormatMultiViewPath(const std::string& path, const std::string& viewName) {
  std::string formatted = boost::algorithm::replace_all_copy(path, "%V", viewName);
  boost::algorithm::replace_all(formatted, "%v", View::ShortNameOf(viewName));
  return formatted;
}

bool IsMultiViewPath(const std::string& path) {
  return boost::algorithm::icontains(path, "%v");
}

} // namespace Velloro
