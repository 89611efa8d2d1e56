#include <velloro/views/ViewDataModel.h>

#include <boost/multi_index/hashed_index.hpp>
#include <boost/multi_index/mem_fun.hpp>
#include <boost/multi_index/random_access_index.hpp>
#include <boost/multi_index_container.hpp>

#include <algorithm>
#include <atomic>
#include <limits>

namespace Velloro {

namespace {

// Ids for every model of the process, so that a view id never means two views.
std::atomic<int> sNextViewId{0};

struct ById {};
struct ByName {};

using ViewRows = boost::multi_index_container<
    View, boost::multi_index::indexed_by<
              boost::multi_index::random_access<>,
              boost::multi_index::hashed_unique<boost::multi_index::tag<ById>,
                                                boost::multi_index::const_mem_fun<View, int, &View::id>>,
              boost::multi_index::hashed_unique<
                  boost::multi_index::tag<ByName>,
                  boost::multi_index::const_mem_fun<View, const std::string&, &View::name>>>>;

} // namespace

class ViewDataModel::Rows {
public:
  ViewRows views;
};

QColor DefaultColorForViewName(const std::string& name) {
  if (name == "left") {
    return QColor(Qt::red);
  }
  if (name == "right") {
    return QColor(Qt::green);
  }
  return QColor(Qt::white);
}

ViewDataModel::ViewDataModel(QObject* parent)
    : QAbstractTableModel(parent)
    , m_rows(std::make_unique<Rows>()) {}

ViewDataModel::~ViewDataModel() = default;

int ViewDataModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 2;
}

int ViewDataModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : viewCount();
}

QVariant ViewDataModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) {
    return {};
  }
  if (role == Qt::DisplayRole) {
    if (section == 0) {
      return tr("View");
    }
    if (section == 1) {
      return tr("Color");
    }
  } else if (role == Qt::TextAlignmentRole) {
    return int(Qt::AlignLeft | Qt::AlignVCenter);
  }
  return {};
}

QVariant ViewDataModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !checkIndex(index) || (role != Qt::DisplayRole && role != Qt::EditRole)) {
    return {};
  }
  const View& shown = m_rows->views[index.row()];
  if (index.column() == 0) {
    return QString::fromStdString(shown.name());
  }
  return shown.colour();
}

Qt::ItemFlags ViewDataModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) {
    return Qt::NoItemFlags;
  }
  return Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled;
}

bool ViewDataModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || !checkIndex(index)) {
    return false;
  }
  View edited = m_rows->views[index.row()];
  if (index.column() == 1) {
    const QColor colour = value.value<QColor>();
    // A value that is no colour would leave the view without one.
    if (!colour.isValid()) {
      return false;
    }
    edited.setColour(colour);
  } else {
    const QString text = value.toString();
    const std::string name = text.toStdString();
    if (name == edited.name() || text.isEmpty()) {
      return false;
    }
    if (nameInUse(name)) {
      emit error(tr("The name '%1' is already used.").arg(text));
      return false;
    }
    if (!QChar::isLetter(text.toUcs4().constFirst())) {
      emit error(tr("View names cannot start with special characters or numbers"));
      return false;
    }
    edited.setName(name);
    assignId(edited);
  }
  if (!m_rows->views.replace(m_rows->views.begin() + index.row(), edited)) {
    return false;
  }
  emit dataChanged(index, index);
  emit viewsChanged();
  return true;
}

bool ViewDataModel::insertRows(int row, int count, const QModelIndex& parent) {
  const int first = std::min(row, viewCount());
  // Each new row may need a new id: refuse, before allocating anything, what the id counter or
  // the row limit cannot hold.
  if (row < 0 || count < 1 || parent.isValid() || count > kMaxViewCount - viewCount() ||
      count > std::numeric_limits<int>::max() - sNextViewId) {
    return false;
  }
  std::vector<View> created;
  created.reserve(count);
  int number = viewCount() + 1;
  for (int i = 0; i < count; ++i, ++number) {
    while (nameInUse("view" + std::to_string(number))) {
      ++number;
    }
    const std::string name = "view" + std::to_string(number);
    View added(name, DefaultColorForViewName(name));
    assignId(added);
    created.push_back(added);
  }

  beginInsertRows(QModelIndex(), first, first + count - 1);
  auto position = m_rows->views.begin() + first;
  for (const View& added : created) {
    position = std::next(m_rows->views.insert(position, added).first);
  }
  // The hero is a row: keep it on the same view when rows arrive above it.
  if (m_heroViewIndex >= first) {
    m_heroViewIndex += count;
    emit heroViewChanged();
  } else {
    chooseHeroIfNone();
  }
  endInsertRows();
  emit viewsChanged();
  return true;
}

bool ViewDataModel::removeRows(int row, int count, const QModelIndex& parent) {
  if (row < 0 || count < 1 || parent.isValid() || row >= viewCount() || count > viewCount() - row) {
    return false;
  }
  const int last = row + count - 1;
  beginRemoveRows(QModelIndex(), row, last);
  m_rows->views.erase(m_rows->views.begin() + row, m_rows->views.begin() + last + 1);
  if (m_heroViewIndex >= row) {
    const bool heroRemoved = m_heroViewIndex <= last;
    int hero = heroRemoved ? 0 : m_heroViewIndex - count;
    if (hero >= viewCount()) {
      hero = kInvalidView;
    }
    // A removed hero changes the hero view even when row 0 stays the hero row.
    if (hero != m_heroViewIndex || heroRemoved) {
      m_heroViewIndex = hero;
      emit heroViewChanged();
    }
  }
  endRemoveRows();
  emit viewsChanged();
  return true;
}

bool ViewDataModel::addView(const std::string& name, const QColor& colour) {
  if (name.empty() || nameInUse(name)) {
    return false;
  }
  appendViews({View(name, colour)}, true);
  emit viewsChanged();
  return true;
}

bool ViewDataModel::removeView(const std::string& name) {
  const auto& byName = m_rows->views.get<ByName>();
  const auto found = byName.find(name);
  if (found == byName.end()) {
    return false;
  }
  return removeRows(int(m_rows->views.project<0>(found) - m_rows->views.begin()), 1);
}

void ViewDataModel::setViews(const std::vector<View>& views) {
  beginResetModel();
  m_rows->views.clear();
  if (m_heroViewIndex != kInvalidView) {
    m_heroViewIndex = kInvalidView;
    emit heroViewChanged();
  }
  appendViews(views, false);
  endResetModel();
  emit viewsChanged();
}

void ViewDataModel::setUpViewsForStereo() {
  setViews({View("left", DefaultColorForViewName("left")), View("right", DefaultColorForViewName("right"))});
}

void ViewDataModel::setUpViewForMono() {
  setViews({View("main", DefaultColorForViewName("main"))});
}

void ViewDataModel::applyViewSettings(const ViewSettings& settings) {
  setViews(settings.views);
  setHeroViewIndex(settings.heroViewIndex);
  setShowColours(settings.showColours);
}

ViewSettings ViewDataModel::getViewSettings() const {
  return ViewSettings{{m_rows->views.begin(), m_rows->views.end()}, m_heroViewIndex, m_showColours};
}

bool ViewDataModel::swap(int a, int b) {
  if (a == b || a < 0 || b < 0 || a >= viewCount() || b >= viewCount()) {
    return false;
  }
  const int low = std::min(a, b);
  const int high = std::max(a, b);
  auto& rows = m_rows->views;
  rows.relocate(rows.begin() + low, rows.begin() + high);
  rows.relocate(rows.begin() + high + 1, rows.begin() + low + 1);
  if (m_heroViewIndex == low || m_heroViewIndex == high) {
    setHeroViewIndex(m_heroViewIndex == low ? high : low);
  }
  emit dataChanged(index(low, 0), index(high, 1));
  emit viewsChanged();
  return true;
}

int ViewDataModel::heroViewIndex() const {
  return m_heroViewIndex;
}

void ViewDataModel::setHeroViewIndex(int row) {
  const int hero = row >= 0 && row < viewCount() ? row : kInvalidView;
  if (hero != m_heroViewIndex) {
    m_heroViewIndex = hero;
    emit heroViewChanged();
  }
}

ViewButton::Mode ViewDataModel::displayMode() const {
  return m_displayMode;
}

void ViewDataModel::setDisplayMode(ViewButton::Mode mode) {
  if (mode != m_displayMode) {
    m_displayMode = mode;
    emit displayModeChanged(mode);
  }
}

bool ViewDataModel::showColours() const {
  return m_showColours;
}

void ViewDataModel::setShowColours(bool showColours) {
  if (showColours != m_showColours) {
    m_showColours = showColours;
    emit showColoursChanged(showColours);
  }
}

bool ViewDataModel::hasMultipleViews() const {
  return viewCount() > 1;
}

int ViewDataModel::viewCount() const {
  return int(m_rows->views.size());
}

View ViewDataModel::view(int row) const {
  return row >= 0 && row < viewCount() ? m_rows->views[row] : View();
}

View ViewDataModel::viewFromId(int id) const {
  const auto& byId = m_rows->views.get<ById>();
  const auto found = byId.find(id);
  return found == byId.end() ? View() : *found;
}

View ViewDataModel::viewFromName(const std::string& name) const {
  const auto& byName = m_rows->views.get<ByName>();
  const auto found = byName.find(name);
  return found == byName.end() ? View() : *found;
}

int ViewDataModel::viewIndex(const View& view) const {
  const auto& byId = m_rows->views.get<ById>();
  const auto found = byId.find(view.id());
  return found == byId.end() ? -1 : int(m_rows->views.project<0>(found) - m_rows->views.begin());
}

std::vector<std::string> ViewDataModel::getViewNames() const {
  std::vector<std::string> names;
  names.reserve(m_rows->views.size());
  for (const View& each : m_rows->views) {
    names.push_back(each.name());
  }
  return names;
}

void ViewDataModel::assignId(View& view) {
  view.setModel(this);
  const auto known = m_idsByName.find(view.name());
  if (known != m_idsByName.end()) {
    view.setId(known->second);
  } else {
    const int id = sNextViewId++;
    m_idsByName.emplace(view.name(), id);
    view.setId(id);
  }
}

std::vector<View> ViewDataModel::viewsToAppend(const std::vector<View>& views) {
  std::vector<View> arriving;
  for (View candidate : views) {
    assignId(candidate);
    if (!candidate.colour().isValid()) {
      candidate.setColour(DefaultColorForViewName(candidate.name()));
    }
    const auto sameView = [&candidate](const View& other) {
      return other.id() == candidate.id() || other.name() == candidate.name();
    };
    if (!nameInUse(candidate.name()) && m_rows->views.get<ById>().count(candidate.id()) == 0 &&
        std::none_of(arriving.begin(), arriving.end(), sameView)) {
      arriving.push_back(candidate);
    }
  }
  return arriving;
}

void ViewDataModel::appendViews(const std::vector<View>& views, bool announceRows) {
  const std::vector<View> arriving = viewsToAppend(views);
  // Rows are announced only when some really arrive; a reset around the append covers them all.
  const bool announce = announceRows && !arriving.empty();
  if (announce) {
    const int first = viewCount();
    beginInsertRows(QModelIndex(), first, first + int(arriving.size()) - 1);
  }
  m_rows->views.insert(m_rows->views.end(), arriving.begin(), arriving.end());
  chooseHeroIfNone();
  if (announce) {
    endInsertRows();
  }
}

void ViewDataModel::chooseHeroIfNone() {
  if (m_heroViewIndex == kInvalidView && viewCount() > 0) {
    m_heroViewIndex = 0;
    emit heroViewChanged();
  }
}

bool ViewDataModel::nameInUse(const std::string& name) const {
  return m_rows->views.get<ByName>().count(name) != 0;
}

} // namespace Velloro
