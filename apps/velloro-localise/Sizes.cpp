#include "Sizes.h"

#include <boost/algorithm/string/predicate.hpp>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace VelloroLocalise {

std::optional<std::uint64_t> parseSize(const std::string& text) {
  std::string number = text;
  const auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
  // "G", "GB" and "GiB" all mean the same.
  if (number.size() >= 3 && boost::algorithm::iends_with(number, "ib") &&
      isLetter(number[number.size() - 3])) {
    number.resize(number.size() - 2);
  } else if (number.size() >= 2 && boost::algorithm::iends_with(number, "b") &&
             isLetter(number[number.size() - 2])) {
    number.pop_back();
  }
  double multiplier = 1.0;
  if (!number.empty() && std::isalpha(static_cast<unsigned char>(number.back()))) {
    const std::string units = "KMGT";
    const std::size_t power =
        units.find(static_cast<char>(std::toupper(static_cast<unsigned char>(number.back()))));
    if (power == std::string::npos) {
      return std::nullopt;
    }
    multiplier = std::pow(1024.0, double(power + 1));
    number.pop_back();
  }
  if (number.empty() ||
      !(std::isdigit(static_cast<unsigned char>(number.front())) || number.front() == '.')) {
    return std::nullopt;
  }
  char* end = nullptr;
  const double value = std::strtod(number.c_str(), &end);
  if (end != number.c_str() + number.size() || !std::isfinite(value) || value < 0) {
    return std::nullopt;
  }
  const double bytes = std::round(value * multiplier);
  if (bytes >= 18446744073709551615.0) {
    return std::nullopt;
  }
  return static_cast<std::uint64_t>(bytes);
}

std::string formatSize(std::uint64_t bytes) {
  if (bytes < 1024) {
    return std::to_string(bytes) + " B";
  }
  const char* units[] = {"KiB", "MiB", "GiB", "TiB", "PiB"};
  double value = double(bytes) / 1024.0;
  std::size_t unit = 0;
  while (value >= 1024.0 && unit + 1 < std::size(units)) {
    value /= 1024.0;
    ++unit;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %s", value, units[unit]);
  return text;
}

} // namespace VelloroLocalise
