#pragma once

#include <KXImage/KXImageExport.h>
#include <KXImage/Matrix4.h>
#include <KXImage/OutputContext.h>

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace KX::Image {

class Knob;
class Knob_Closure;
class Node;

// An operation of an image tree: it has inputs (other ops, not owned), named fields set by the
// caller, knobs declared by the op, an output context (the frame it renders) and an error state
// that validate() sets. Ops are made by name through their Description or constructed directly.
//
// Threads: an op is built, edited and validated on one thread at a time; once validated, its
// image may be read from several threads (see Iop).
class KXIMAGE_EXPORT Op {
public:
  using BuildFunction = Op* (*)(Node* node);

  // The registration of an op class under a name; a static of the op's source file.
  class KXIMAGE_EXPORT Description {
  public:
    Description(const char* name, BuildFunction build, const char* help = "");
    ~Description();
    Description(const Description&) = delete;
    Description& operator=(const Description&) = delete;

    const char* name() const { return m_name; }
    const char* help() const { return m_help; }
    BuildFunction build() const { return m_build; }

    // The registered description of this name, or null.
    static const Description* Find(const char* name);

  private:
    const char* m_name;
    BuildFunction m_build;
    const char* m_help;
  };

  explicit Op(Node* node = nullptr);
  virtual ~Op();
  Op(const Op&) = delete;
  Op& operator=(const Op&) = delete;

  // Ops are allocated by the SDK's allocator, so that a library can delete an op the SDK made.
  static void* operator new(std::size_t size);
  static void operator delete(void* pointer);

  // Makes the op registered under name with input 0 set to input; null when no op has the name.
  // The caller owns the op.
  static Op* create(const char* name, Op* input);

  Node* node() const { return m_node; }
  virtual const char* Class() const = 0;
  virtual const char* node_help() const { return ""; }

  // Inputs are not owned; an unset input is null.
  void set_input(int index, Op* input);
  Op* input(int index) const;
  int inputs() const { return int(m_inputs.size()); }

  // Fields: named values the op declares with declareField(). Setting a field the op does not
  // have (or with a value of another kind) does nothing and answers false.
  bool set_field(const char* name, int value);
  bool set_field(const char* name, double value);
  bool set_field(const char* name, bool value);
  bool set_field(const char* name, const std::vector<double>& values);
  bool set_field(const char* name, const char* text);
  bool set_field(const char* name, const Matrix4& matrix);
  // The value index of a number field (0 when absent), the text of a text field (empty when
  // absent), the matrix of a matrix field (identity when absent).
  double numberField(const char* name, int index = 0) const;
  std::string textField(const char* name) const;
  Matrix4 matrixField(const char* name) const;

  // Knobs: the op declares them in knobs(); they are made on first use.
  virtual void knobs(Knob_Closure& f);
  // Called when a knob's values change; non-zero when the op took the change itself.
  virtual int knob_changed(Knob* knob);
  Knob* knob(const char* name);

  void setOutputContext(const OutputContext& context);
  const OutputContext& outputContext() const { return m_context; }

  // Validates the inputs, then this op: clears the error, then calls _validate(). An input's
  // error becomes this op's error; so does an exception thrown by _validate().
  void validate(bool forReal = true);
  bool hasError() const { return !m_error.empty(); }
  const std::string& errorMessage() const { return m_error; }

  // Records an error; reported through the OpMessageHandler unless errors are ignored.
  void error(const std::string& message);

protected:
  virtual void _validate(bool forReal);

  void declareField(const char* name, std::vector<double> defaults);
  void declareField(const char* name, std::string text);
  void declareField(const char* name, const Matrix4& matrix);

private:
  using FieldValue = std::variant<std::vector<double>, std::string, Matrix4>;
  template <class T> bool assign(const char* name, T value);

  Node* m_node;
  std::vector<Op*> m_inputs;
  std::map<std::string, FieldValue> m_fields;
  std::unique_ptr<Knob_Closure> m_knobs;
  OutputContext m_context;
  std::string m_error;
};

} // namespace KX::Image
