#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/views/View.h>
#include <velloro/views/ViewButton.h>
#include <velloro/views/ViewSettings.h>

#include <QAbstractTableModel>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Velloro {

// The default colour of a view: red for "left", green for "right", white for any other name.
VELLORO_EXPORT QColor DefaultColorForViewName(const std::string& name);

// The ordered views of a project, its hero view and how view buttons show them. A two-column
// table (name, colour) that a settings table edits directly; view buttons and stereo controls
// follow its signals.
//
// Ids: a name keeps the id it was first given for the model's life, so a view removed and added
// again, or renamed back, gets its old id. New ids come from one counter shared by all models.
//
// Threads: the GUI thread only, like every Qt model.
class VELLORO_EXPORT ViewDataModel : public QAbstractTableModel {
  Q_OBJECT

public:
  static constexpr int kInvalidView = -1;
  // The most rows a model holds: insertRows() refuses counts beyond it, far more views than any
  // project has, rather than allocate for a mistaken count.
  static constexpr int kMaxViewCount = 1 << 16;

  explicit ViewDataModel(QObject* parent = nullptr);
  ~ViewDataModel() override;

  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Edit role only: column 0 renames (refusals are explained through error()), column 1 recolours.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  // Inserts views named "view" + a free number, before row (appended when row is past the last).
  bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
  bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

  // False for an empty name or a name already in use.
  bool addView(const std::string& name, const QColor& colour);
  // False when no view has that name.
  bool removeView(const std::string& name);
  // Replaces every view; views repeating an earlier name are left out. An invalid colour becomes
  // the name's default colour.
  void setViews(const std::vector<View>& views);
  void setUpViewsForStereo();
  void setUpViewForMono();

  void applyViewSettings(const ViewSettings& settings);
  ViewSettings getViewSettings() const;

  // Exchanges two distinct existing rows; the hero follows its view.
  bool swap(int a, int b);

  int heroViewIndex() const;
  // A row outside the model means no hero (-1).
  void setHeroViewIndex(int row);

  ViewButton::Mode displayMode() const;
  void setDisplayMode(ViewButton::Mode mode);
  bool showColours() const;
  void setShowColours(bool showColours);

  bool hasMultipleViews() const;
  int viewCount() const;

  // The empty view when nothing matches.
  View view(int row) const;
  View viewFromId(int id) const;
  View viewFromName(const std::string& name) const;
  // Row of this model's view with the id of the given view, or -1.
  int viewIndex(const View& view) const;
  std::vector<std::string> getViewNames() const;

signals:
  void viewsChanged();
  void heroViewChanged();
  void displayModeChanged(Velloro::ViewButton::Mode mode);
  void showColoursChanged(bool showColours);
  void error(QString errorMessage);

private:
  class Rows;

  // Gives the view this model and the id its name has (or a new one).
  void assignId(View& view);
  // The given views that would really be appended, with ids and colours, in order.
  std::vector<View> viewsToAppend(const std::vector<View>& views);
  // Appends, announcing the rows unless a reset already covers them.
  void appendViews(const std::vector<View>& views, bool announceRows);
  // After rows arrive: with no hero, row 0 becomes the hero.
  void chooseHeroIfNone();
  bool nameInUse(const std::string& name) const;

  std::unique_ptr<Rows> m_rows;
  int m_heroViewIndex = kInvalidView;
  std::map<std::string, int> m_idsByName;
  ViewButton::Mode m_displayMode = ViewButton::ePushButtons;
  bool m_showColours = false;
};

} // namespace Velloro
