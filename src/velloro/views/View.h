#pragma once

#include <velloro/VelloroExport.h>

#include <QColor>
#include <QSharedDataPointer>

#include <string>

namespace Velloro {

class ViewData;
class ViewDataModel;

// One named image stream of a project ("left", "right", "main"...). A View is a cheap handle to
// a shared record: copies share it until the owning model changes one of them, which then gets
// a record of its own (copy on write), so values handed out earlier keep what they showed.
// Only the view model sets fields; everyone else reads them.
//
// Threads: the GUI thread. Copies may travel to other threads only while no model writes them;
// the record's model pointer is a QPointer, which must be read on the model's thread.
class VELLORO_EXPORT View {
public:
  static constexpr int kInvalidViewId = -1;

  // The empty view: no model, no id, no name, an invalid colour. All empty views share one
  // record.
  View();
  // A view not yet in any model.
  View(const std::string& name, const QColor& colour);
  View(const View& other);
  View& operator=(const View& other);
  ~View();

  const std::string& name() const;
  const QColor& colour() const;
  int id() const;

  // The first character of the name ("l" for "left"); empty for an empty name.
  std::string shortName() const;
  // The first character of any view name, as used for the "%v" placeholder of paths. A character
  // is one user-perceived character, so a name beginning with "é" gives "é", never half of it.
  static std::string ShortNameOf(const std::string& name);

  // Whether the model that owns the view is still alive.
  bool isValid() const;
  // Row of the view in its model, or -1 when the view is not valid.
  int modelRowIndex() const;
  // modelRowIndex() + 1, or -1 when the view is not valid.
  int orvikIndex() const;

  // Same live model (or none for both) and same id; names and colours are not compared.
  bool operator==(const View& other) const;
  bool operator!=(const View& other) const;
  // By id.
  bool operator<(const View& other) const;

private:
  friend class ViewDataModel;

  void setName(const std::string& name);
  void setColour(const QColor& colour);
  void setId(int id);
  void setModel(ViewDataModel* model);

  QSharedDataPointer<ViewData> m_d;
};

} // namespace Velloro
