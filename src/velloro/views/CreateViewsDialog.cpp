#include <velloro/views/CreateViewsDialog.h>

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace Velloro {

namespace {

// The translation context of the box's texts.
struct Texts {
  Q_DECLARE_TR_FUNCTIONS(CreateViewsDialog)
};

// "a", "b" and "c"
QString quotedList(const std::vector<std::string>& names) {
  QString list;
  for (std::size_t i = 0; i < names.size(); ++i) {
    list += QLatin1Char('"') + QString::fromStdString(names[i]) + QLatin1Char('"');
    const std::size_t toCome = names.size() - i - 1;
    if (toCome >= 2) {
      list += QStringLiteral(", ");
    } else if (toCome == 1) {
      list += Texts::tr(" and ");
    }
  }
  return list;
}

QString questionText(const std::vector<std::string>& viewNames, const QString& projectName) {
  const bool several = viewNames.size() >= 2;
  QString text;
  if (projectName.isEmpty()) {
    text = several
               ? Texts::tr("The imported clips contain the views %1. These views don't exist, do you want "
                           "to create them?")
               : Texts::tr("The imported clips contain the view %1. This view doesn't exist, do you want "
                           "to create it?");
    return text.arg(quotedList(viewNames));
  }
  text = several
             ? Texts::tr("The imported clips contain the views %1. These views don't exist in the project "
                         "\"%2\", do you want to create them?")
             : Texts::tr("The imported clips contain the view %1. This view doesn't exist in the project "
                         "\"%2\", do you want to create it?");
  return text.arg(quotedList(viewNames), projectName);
}

// The host's progress and activity windows come and go; the box belongs to the window beneath.
QWidget* dialogParent() {
  QWidget* active = QApplication::activeWindow();
  if (active && (active->objectName() == QLatin1String("Progress.1") ||
                 active->objectName() == QLatin1String(kHostActivityWindowObjectName))) {
    return active->parentWidget();
  }
  return active;
}

} // namespace

CreateViewsResult showCreateViewsDialog(const std::vector<std::string>& viewNames, QString projectName) {
  QMessageBox box(QMessageBox::Question, Texts::tr("Create missing views?"),
                  questionText(viewNames, projectName), QMessageBox::NoButton, dialogParent());
  // View and project names are the user's text, never markup.
  box.setTextFormat(Qt::PlainText);
  const QPushButton* add = box.addButton(Texts::tr("Add Views"), QMessageBox::AcceptRole);
  const QPushButton* replace = box.addButton(Texts::tr("Replace Views"), QMessageBox::AcceptRole);
  QPushButton* no = box.addButton(Texts::tr("No"), QMessageBox::RejectRole);
  box.setDefaultButton(no);
  box.setEscapeButton(no);
  box.exec();

  const QAbstractButton* clicked = box.clickedButton();
  if (clicked == add) {
    return eAddMissingViews;
  }
  if (clicked == replace) {
    return eReplaceProjectViews;
  }
  return eCreateNoViews;
}

} // namespace Velloro
