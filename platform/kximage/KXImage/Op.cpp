#include <KXImage/Op.h>

#include <KXImage/Knob.h>
#include <KXImage/Knob_Closure.h>
#include <KXImage/OpMessageHandler.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>

namespace KX::Image {

namespace {

struct NameLess {
  bool operator()(const char* a, const char* b) const { return std::strcmp(a, b) < 0; }
};

// Descriptions register during static initialisation of the libraries that define ops.
std::map<const char*, const Op::Description*, NameLess>& registry() {
  static std::map<const char*, const Op::Description*, NameLess> sRegistry;
  return sRegistry;
}

} // namespace

Op::Description::Description(const char* name, BuildFunction build, const char* help)
    : m_name(name)
    , m_build(build)
    , m_help(help ? help : "") {
  registry()[m_name] = this;
}

Op::Description::~Description() {
  auto found = registry().find(m_name);
  if (found != registry().end() && found->second == this) {
    registry().erase(found);
  }
}

const Op::Description* Op::Description::Find(const char* name) {
  if (name == nullptr) {
    return nullptr;
  }
  auto found = registry().find(name);
  return found == registry().end() ? nullptr : found->second;
}

Op::Op(Node* node)
    : m_node(node) {}

Op::~Op() = default;

void* Op::operator new(std::size_t size) {
  return ::operator new(size);
}

void Op::operator delete(void* pointer) {
  ::operator delete(pointer);
}

Op* Op::create(const char* name, Op* input) {
  const Description* description = Description::Find(name);
  if (description == nullptr || description->build() == nullptr) {
    return nullptr;
  }
  Op* op = description->build()(nullptr);
  if (op) {
    op->set_input(0, input);
  }
  return op;
}

void Op::set_input(int index, Op* input) {
  if (index < 0) {
    return;
  }
  if (std::size_t(index) >= m_inputs.size()) {
    m_inputs.resize(std::size_t(index) + 1, nullptr);
  }
  m_inputs[std::size_t(index)] = input;
}

Op* Op::input(int index) const {
  return index >= 0 && std::size_t(index) < m_inputs.size() ? m_inputs[std::size_t(index)] : nullptr;
}

template <class T> bool Op::assign(const char* name, T value) {
  auto found = m_fields.find(name ? name : "");
  if (found == m_fields.end() || !std::holds_alternative<T>(found->second)) {
    return false;
  }
  if constexpr (std::is_same_v<T, std::vector<double>>) {
    // A shorter list sets the first values and keeps the others.
    auto& values = std::get<T>(found->second);
    std::copy_n(value.begin(), std::min(value.size(), values.size()), values.begin());
  } else {
    found->second = std::move(value);
  }
  return true;
}

bool Op::set_field(const char* name, int value) {
  return assign(name, std::vector<double>{double(value)});
}

bool Op::set_field(const char* name, double value) {
  return assign(name, std::vector<double>{value});
}

bool Op::set_field(const char* name, bool value) {
  return assign(name, std::vector<double>{value ? 1.0 : 0.0});
}

bool Op::set_field(const char* name, const std::vector<double>& values) {
  return assign(name, values);
}

bool Op::set_field(const char* name, const char* text) {
  return assign(name, std::string(text ? text : ""));
}

bool Op::set_field(const char* name, const Matrix4& matrix) {
  return assign(name, matrix);
}

double Op::numberField(const char* name, int index) const {
  auto found = m_fields.find(name ? name : "");
  if (found == m_fields.end() || !std::holds_alternative<std::vector<double>>(found->second)) {
    return 0.0;
  }
  const auto& values = std::get<std::vector<double>>(found->second);
  return index >= 0 && std::size_t(index) < values.size() ? values[std::size_t(index)] : 0.0;
}

std::string Op::textField(const char* name) const {
  auto found = m_fields.find(name ? name : "");
  return found != m_fields.end() && std::holds_alternative<std::string>(found->second)
             ? std::get<std::string>(found->second)
             : std::string();
}

Matrix4 Op::matrixField(const char* name) const {
  auto found = m_fields.find(name ? name : "");
  return found != m_fields.end() && std::holds_alternative<Matrix4>(found->second)
             ? std::get<Matrix4>(found->second)
             : Matrix4();
}

void Op::declareField(const char* name, std::vector<double> defaults) {
  m_fields[name] = std::move(defaults);
}

void Op::declareField(const char* name, std::string text) {
  m_fields[name] = std::move(text);
}

void Op::declareField(const char* name, const Matrix4& matrix) {
  m_fields[name] = matrix;
}

void Op::knobs(Knob_Closure&) {}

int Op::knob_changed(Knob*) {
  return 0;
}

Knob* Op::knob(const char* name) {
  if (!m_knobs) {
    m_knobs = std::make_unique<Knob_Closure>(this);
    knobs(*m_knobs);
  }
  for (const auto& knob : m_knobs->knobs()) {
    if (knob->is(name)) {
      return knob.get();
    }
  }
  return nullptr;
}

void Op::setOutputContext(const OutputContext& context) {
  m_context = context;
}

void Op::validate(bool forReal) {
  m_error.clear();
  for (Op* in : m_inputs) {
    if (in == nullptr) {
      continue;
    }
    in->validate(forReal);
    if (in->hasError()) {
      m_error = in->errorMessage();
      return;
    }
  }
  try {
    _validate(forReal);
  } catch (const std::exception& failure) {
    error(failure.what());
  }
}

void Op::_validate(bool) {}

void Op::error(const std::string& message) {
  m_error = message.empty() ? std::string("error") : message;
  OpMessageHandler::Report(*this, m_error);
}

} // namespace KX::Image
