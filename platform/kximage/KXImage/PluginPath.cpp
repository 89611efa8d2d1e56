#include <KXImage/PluginPath.h>

#include <boost/algorithm/string/split.hpp>

#include <cstdlib>
#include <deque>

namespace KX::Image {

namespace {

#ifdef _WIN32
constexpr char kPathSeparator = ';';
#else
constexpr char kPathSeparator = ':';
#endif

struct PluginPathList {
  // A deque never moves its elements, so the C strings handed out stay put as it grows.
  std::deque<std::string> directories;
  std::vector<const char*> view;

  PluginPathList() {
    if (const char* variable = std::getenv("KXIMAGE_PLUGIN_PATH")) {
      std::vector<std::string> parts;
      boost::algorithm::split(parts, std::string(variable), [](char c) { return c == kPathSeparator; });
      for (const std::string& part : parts) {
        if (!part.empty()) {
          add(part);
        }
      }
    }
  }

  void add(const std::string& directory) {
    directories.push_back(directory);
    view.push_back(directories.back().c_str());
  }
};

PluginPathList& pluginPathList() {
  static PluginPathList list;
  return list;
}

} // namespace

const std::vector<const char*>& getPluginPath() {
  return pluginPathList().view;
}

void addPluginPath(const std::string& directory) {
  pluginPathList().add(directory);
}

} // namespace KX::Image
