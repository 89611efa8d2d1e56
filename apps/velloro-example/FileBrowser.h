#pragma once

#include <QWidget>

class QFileSystemModel;
class QTreeView;

namespace Tessel::UI {
class FilePreview;
}

namespace Velloro::Example {

// A file browser over one folder with the library's file preview under it: selecting a file
// previews it (a sequence at its frame), activating one opens its sequence in the viewer.
//
// Threads: the GUI thread only.
class FileBrowser : public QWidget {
  Q_OBJECT
public:
  explicit FileBrowser(QWidget* parent = nullptr);

  void setFolder(const QString& folder);
  // Selects the file, which the preview then shows.
  void select(const QString& path);
  Tessel::UI::FilePreview* preview() const { return m_preview; }

  // The pattern of the sequence a file belongs to: the last run of digits in its name becomes
  // as many "#", and a ".left." or ".right." part becomes ".%V.".
  static QString SequencePattern(const QString& path);

signals:
  void sequenceChosen(const QString& pattern);

private:
  QFileSystemModel* m_model = nullptr;
  QTreeView* m_tree = nullptr;
  Tessel::UI::FilePreview* m_preview = nullptr;
};

} // namespace Velloro::Example
