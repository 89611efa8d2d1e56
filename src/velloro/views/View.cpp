#include <velloro/views/View.h>

#include <velloro/views/ViewDataModel.h>

#include <QPointer>
#include <QSharedData>
#include <QString>
#include <QTextBoundaryFinder>

namespace Velloro {

class ViewData : public QSharedData {
public:
  QPointer<ViewDataModel> model;
  int id = View::kInvalidViewId;
  std::string name;
  QColor colour;
};

namespace {

const QSharedDataPointer<ViewData>& emptyRecord() {
  static const QSharedDataPointer<ViewData> record(new ViewData);
  return record;
}

} // namespace

View::View()
    : m_d(emptyRecord()) {}

View::View(const std::string& name, const QColor& colour)
    : m_d(new ViewData) {
  m_d->name = name;
  m_d->colour = colour;
}

View::View(const View& other) = default;
View& View::operator=(const View& other) = default;
View::~View() = default;

const std::string& View::name() const {
  return m_d->name;
}
const QColor& View::colour() const {
  return m_d->colour;
}
int View::id() const {
  return m_d->id;
}

std::string View::shortName() const {
  return ShortNameOf(m_d->name);
}

std::string View::ShortNameOf(const std::string& name) {
  if (name.empty()) {
    return {};
  }
  const QString text = QString::fromStdString(name);
  QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
  const std::string first = text.left(characters.toNextBoundary()).toStdString();
  // A name that is not UTF-8 keeps its first byte rather than a replacement character.
  return name.compare(0, first.size(), first) == 0 && !first.empty() ? first : name.substr(0, 1);
}

bool View::isValid() const {
  return !m_d->model.isNull();
}

int View::modelRowIndex() const {
  const ViewDataModel* owner = m_d->model.data();
  return owner ? owner->viewIndex(*this) : -1;
}

int View::orvikIndex() const {
  const int row = modelRowIndex();
  return row < 0 ? -1 : row + 1;
}

bool View::operator==(const View& other) const {
  return m_d->model.data() == other.m_d->model.data() && m_d->id == other.m_d->id;
}

bool View::operator!=(const View& other) const {
  return !(*this == other);
}

bool View::operator<(const View& other) const {
  return m_d->id < other.m_d->id;
}

void View::setName(const std::string& name) {
  m_d->name = name;
}
void View::setColour(const QColor& colour) {
  m_d->colour = colour;
}
void View::setId(int id) {
  m_d->id = id;
}
void View::setModel(ViewDataModel* model) {
  m_d->model = model;
}

} // namespace Velloro
