#include "FileBrowser.h"

#include <velloro/preview/FilePreviewFactory.h>

#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTreeView>
#include <QVBoxLayout>

namespace Velloro::Example {

FileBrowser::FileBrowser(QWidget* parent)
    : QWidget(parent)
    , m_model(new QFileSystemModel(this)) {
  m_model->setFilter(QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot);
  m_tree = new QTreeView(this);
  m_tree->setModel(m_model);
  for (int column = 1; column < m_model->columnCount(); ++column) {
    m_tree->hideColumn(column);
  }
  m_tree->header()->hide();
  m_preview = ::FilePreviewFactory::instance()->create(this, Tessel::UI::FilePreview::eDetailed);
  m_preview->setMinimumHeight(200);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(m_tree, 1);
  layout->addWidget(m_preview);

  connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& index) {
            m_preview->setFile(m_model->isDir(index) ? QString() : m_model->filePath(index));
          });
  connect(m_tree, &QTreeView::activated, this, [this](const QModelIndex& index) {
    if (!m_model->isDir(index)) {
      emit sequenceChosen(SequencePattern(m_model->filePath(index)));
    }
  });
}

void FileBrowser::setFolder(const QString& folder) {
  m_tree->setRootIndex(m_model->setRootPath(folder));
}

void FileBrowser::select(const QString& path) {
  m_tree->setCurrentIndex(m_model->index(path));
}

QString FileBrowser::SequencePattern(const QString& path) {
  const QFileInfo info(path);
  QString name = info.fileName();
  static const QRegularExpression lastNumber(QStringLiteral("(\\d+)(?!.*\\d)"));
  const QRegularExpressionMatch number = lastNumber.match(name);
  if (number.hasMatch()) {
    name.replace(number.capturedStart(1), number.capturedLength(1),
                 QString(number.capturedLength(1), QLatin1Char('#')));
  }
  static const QRegularExpression eye(QStringLiteral("\\.(left|right)\\."));
  name.replace(eye, QStringLiteral(".%V."));
  return info.dir().filePath(name);
}

} // namespace Velloro::Example
