#include "TestConfigs.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace ColourTest {

std::string ConfigText::yaml() const {
  std::ostringstream out;
  out << "ocio_profile_version: 2.1\n";
  out << "roles:\n";
  for (const auto& [role, colorSpace] : roles) {
    out << "  " << role << ": \"" << colorSpace << "\"\n";
  }
  if (roles.empty()) {
    out << "  {}\n";
  }
  out << "file_rules:\n  - !<Rule> {name: Default, colorspace: \"" << viewColorSpace << "\"}\n";
  out << "displays:\n";
  for (const auto& [display, views] : displays) {
    out << "  \"" << display << "\":\n";
    for (const std::string& view : views) {
      out << "    - !<View> {name: \"" << view << "\", colorspace: \"" << viewColorSpace << "\"}\n";
    }
  }
  out << extra;
  out << "colorspaces:\n";
  for (const std::string& colorSpace : colorSpaces) {
    out << "  - !<ColorSpace> " << colorSpace << "\n";
  }
  return out.str();
}

void writeFile(const std::string& path, const std::string& text) {
  const QString file = QString::fromStdString(path);
  ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath())) << path;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  ASSERT_TRUE(out.good()) << "could not write " << path;
}

std::string installConfig(const std::string& pluginDirectory, const std::string& name,
                          const std::string& text, bool directoryStyle) {
  const std::string path =
      pluginDirectory + "/OCIOConfigs/configs/" + name + (directoryStyle ? "/config.ocio" : ".ocio");
  writeFile(path, text);
  return path;
}

} // namespace ColourTest
