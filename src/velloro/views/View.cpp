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
    : d(emptyRecord()) {}

View::View(const std::string& name, const QColor& colour)
    : d(new ViewData) {
  d->name = name;
  d->colour = colour;
}

View::View(const View& other) = default;
View& View::operator=(const View& other) = default;
View::~View() = default;

const std::string& View::name() const {
  return d->name;
}
const QColor& View::colour() const {
  return d->colour;
}
int View::id() const {
  return d->id;
}

std::string View::shortName() const {
  return ShortNameOf(d->name);
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
  return !d->model.isNull();
}

int View::modelRowIndex() const {
  const ViewDataModel* owner = d->model.data();
  return owner ? owner->viewIndex(*this) : -1;
}

int View::orvikIndex() const {
  const int row = modelRowIndex();
  return row < 0 ? -1 : row + 1;
}

bool View::operator==(const View& other) const {
  return d->model.data() == other.d->model.data() && d->id == other.d->id;
}

bool View::operator!=(const View& other) const {
  return !(*this == other);
}

bool View::operator<(const View& other) const {
  return d->id < other.d->id;
}

void View::setName(const std::string& name) {
  d->name = name;
}
void View::setColour(const QColor& colour) {
  d->colour = colour;
}
void View::setId(int id) {
  d->id = id;
}
void View::setModel(ViewDataModel* model) {
  d->model = model;
}

} // namespace Velloro
