#include <TesselException/ExceptionDecoration.h>

#include <algorithm>

namespace Tessel::Base {

namespace {
constexpr const char* kPlaceholderOpen = "%%(";
constexpr const char* kPlaceholderClose = ")%%";
} // namespace

ExceptionDecoration::ExceptionDecoration() = default;

ExceptionDecoration::ExceptionDecoration(const ExceptionDecoration& other) {
  m_decorations.reserve(other.m_decorations.size());
  for (const auto& info : other.m_decorations) {
    m_decorations.push_back(info->clone());
  }
}

ExceptionDecoration::ExceptionDecoration(ExceptionDecoration&& other) noexcept = default;

ExceptionDecoration& ExceptionDecoration::operator=(const ExceptionDecoration& other) {
  if (this != &other) {
    ExceptionDecoration copy(other);
    m_decorations = std::move(copy.m_decorations);
    decorationsChanged();
  }
  return *this;
}

ExceptionDecoration& ExceptionDecoration::operator=(ExceptionDecoration&& other) noexcept {
  // Moving a vector onto itself empties it.
  if (this != &other) {
    m_decorations = std::move(other.m_decorations);
    decorationsChanged();
  }
  return *this;
}

ExceptionDecoration::~ExceptionDecoration() = default;

ExceptionDecoration& ExceptionDecoration::decorate(const char* key, const char* value) {
  store(std::make_unique<ExceptionInfo<std::string>>(key, value ? value : ""));
  return *this;
}

ExceptionDecoration& ExceptionDecoration::decorate(const ExceptionInfoBase& info) {
  store(info.clone());
  return *this;
}

void ExceptionDecoration::store(std::unique_ptr<ExceptionInfoBase> info) {
  auto same = std::find_if(m_decorations.begin(), m_decorations.end(),
                           [&](const auto& existing) { return existing->key() == info->key(); });
  if (same != m_decorations.end()) {
    *same = std::move(info);
  } else {
    m_decorations.push_back(std::move(info));
  }
  decorationsChanged();
}

const ExceptionInfoBase* ExceptionDecoration::find(const std::string& key) const {
  for (const auto& info : m_decorations) {
    if (info->key() == key) {
      return info.get();
    }
  }
  return nullptr;
}

std::string ExceptionDecoration::userMessage() const {
  const ExceptionInfoBase* message = find("UserMessage");
  if (!message) {
    return {};
  }
  const std::string text = message->valueText();
  std::string expanded;
  expanded.reserve(text.size());
  std::string::size_type position = 0;
  while (position < text.size()) {
    const auto open = text.find(kPlaceholderOpen, position);
    if (open == std::string::npos) {
      break;
    }
    const auto keyStart = open + 3;
    const auto close = text.find(kPlaceholderClose, keyStart);
    if (close == std::string::npos) {
      break;
    }
    expanded.append(text, position, open - position);
    const ExceptionInfoBase* value = find(text.substr(keyStart, close - keyStart));
    if (value) {
      expanded += value->valueText();
    } else {
      expanded.append(text, open, close + 3 - open);
    }
    position = close + 3;
  }
  expanded.append(text, position, std::string::npos);
  return expanded;
}

void ExceptionDecoration::decorationsChanged() {}

} // namespace Tessel::Base
