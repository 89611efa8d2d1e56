#include <velloro/knobs/UserKnobEditor.h>

#include <velloro/knobs/GetUserKnobInfo.h>
#include <velloro/knobs/internal/UserKnobEditButton.h>

#include <TesselUI/CoreUIUtils.h>
#include <TesselUI/DragButton.h>
#include <TesselUI/DraggableToolbar.h>
#include <TesselUI/VerticalDivider.h>

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDataStream>
#include <QDrag>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPainter>

#include <algorithm>
#include <stdexcept>

namespace Velloro {

namespace {

constexpr int kButtonSize = 20;
constexpr int kDragIconSize = 16;
constexpr int kDragBorder = 3;
constexpr int kDragTextGap = 6;

QString iconPathFor(const KnobTypeInfo& type) {
  const QString path = QStringLiteral("icons:ControlPanelBin/CustomKnobPanelIcons/") +
                       QString::fromStdString(type.typeName) + QStringLiteral(".png");
  return QFileInfo::exists(path) ? path : QStringLiteral("icons:ControlPanelBin/knob_default.png");
}

// The picture under the cursor while a knob is dragged: its icon and label on a framed tile.
QPixmap knobDragPixmap(const QIcon& icon, const QString& label) {
  const QFont font = QApplication::font();
  const QFontMetrics metrics(font);
  const QPalette palette = QApplication::palette();
  const int width =
      kDragBorder + kDragIconSize + kDragTextGap + metrics.horizontalAdvance(label) + kDragBorder;
  const int height = kDragBorder + std::max(kDragIconSize, metrics.height()) + kDragBorder;
  QPixmap pixmap(width, height);
  pixmap.fill(palette.color(QPalette::Window));
  QPainter painter(&pixmap);
  painter.drawPixmap(kDragBorder, kDragBorder, icon.pixmap(kDragIconSize, kDragIconSize));
  painter.setFont(font);
  painter.setPen(palette.color(QPalette::WindowText));
  const int textLeft = kDragBorder + kDragIconSize + kDragTextGap;
  painter.drawText(QRect(textLeft, 0, width - textLeft, height), Qt::AlignLeft | Qt::AlignVCenter, label);
  painter.setPen(Qt::black);
  painter.drawRect(0, 0, width - 1, height - 1);
  return pixmap;
}

} // namespace

UserKnobEditor::UserKnobEditor(const std::vector<KnobTypeInfo>& types, const char* placeholderMime,
                               const char* linkMime, QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , m_knobTypes(types)
    , m_placeholderMime(placeholderMime)
    , m_linkMime(linkMime) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_toolbar = createToolbar(this);
  layout->addWidget(m_toolbar);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  setMinimumWidth(48);
}

UserKnobEditor::UserKnobEditor(QWidget* parent)
    : UserKnobEditor(GetUserKnobInfo(), kPlaceholderMimeType, kLinkMimeType, parent) {}

UserKnobEditor& UserKnobEditor::Get() {
  static UserKnobEditor* const sEditor = new UserKnobEditor(nullptr);
  return *sEditor;
}

QWidget* UserKnobEditor::createToolbar(QWidget* parent) {
  auto* toolbar = new Tessel::UI::DraggableToolbar(parent);
  auto* editButton = new UserKnobEditButton(*this, toolbar);
  toolbar->pushWidget(editButton);
  toolbar->addPersistentWidget(new Tessel::UI::VerticalDivider(toolbar));
  for (std::size_t index = 0; index < m_knobTypes.size(); ++index) {
    const KnobTypeInfo& type = m_knobTypes[index];
    if (type.isSeperator() || type.knobType == kPythonCustomKnobType) {
      continue;
    }
    Tessel::UI::DragButton* button = makeKnobButton(index);
    button->setParent(toolbar);
    toolbar->pushWidget(button);
  }
  if (parent == this) {
    // The floating window's own bar has nowhere further to float to.
    editButton->setDragEnabled(false);
    return toolbar;
  }
  connect(this, &UserKnobEditor::embededPanelVisible, toolbar, &QWidget::setVisible);
  toolbar->setVisible(!m_floating);
  connect(editButton, &Tessel::UI::DragButton::dragged, this,
          [this, toolbar, editButton] { floatFromToolbar(toolbar, editButton); });
  return toolbar;
}

Tessel::UI::DragButton* UserKnobEditor::makeKnobButton(std::size_t index) {
  const KnobTypeInfo& type = m_knobTypes[index];
  const QString label = QString::fromStdString(type.label);
  auto* button = new Tessel::UI::DragButton;
  button->setIcon(QIcon(iconPathFor(type)));
  button->setToolTip(label);
  button->setText(label);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setFixedSize(kButtonSize, kButtonSize);
  button->setVisible(m_editing);
  connect(this, &UserKnobEditor::editModeChanged, button, &QWidget::setVisible);
  connect(this, &UserKnobEditor::buttonColorChanged, button, [button] {
    const QPixmap shown = button->icon().pixmap(kDragIconSize, QIcon::Normal, QIcon::On);
    button->setIcon(QIcon(Tessel::UI::ColorPixmap(shown, QApplication::palette().color(QPalette::Text))));
  });
  connect(button, &Tessel::UI::DragButton::dragged, this, [this, button, index] { dragKnob(button, index); });
  return button;
}

void UserKnobEditor::dragKnob(Tessel::UI::DragButton* button, std::size_t index) {
  // Qt deletes the drag once it is over.
  auto* drag = new QDrag(this);
  drag->setMimeData(knobTemplateData(index));
  drag->setPixmap(knobDragPixmap(button->icon(), button->text()));
  drag->setHotSpot(QPoint(-kDragIconSize, 0));
  drag->exec(Qt::CopyAction);
  emit knobPlaceholderDrag();
  button->finishedDrag();
}

void UserKnobEditor::floatFromToolbar(Tessel::UI::DraggableToolbar* toolbar,
                                      Tessel::UI::DragButton* editButton) {
  auto* drag = new QDrag(this);
  drag->setMimeData(new QMimeData);
  drag->setPixmap(toolbar->grab());
  drag->exec(Qt::MoveAction);

  const QPoint dropped = QCursor::pos();
  if (!m_floating) {
    showFloating(true);
  }
  int buttons = 0;
  for (QWidget* widget : toolbar->widgets()) {
    buttons += qobject_cast<QAbstractButton*>(widget) ? 1 : 0;
  }
  move(dropped);
  resize(buttons * kButtonSize + 8, toolbar->height());
  // Already floating, no signal ends the drag for the button.
  editButton->finishedDrag();
}

void UserKnobEditor::setEditingEnabled(bool enabled) {
  if (enabled != m_editing) {
    m_editing = enabled;
    emit editModeChanged(enabled);
  }
}

void UserKnobEditor::setFloating(bool floating) {
  if (floating != m_floating) {
    showFloating(floating);
  }
}

void UserKnobEditor::floatUserKnobEditor() {
  showFloating(!m_floating);
  if (QWidget* owner = parentWidget()) {
    QRect placed = frameGeometry();
    placed.moveCenter(owner->mapToGlobal(owner->rect().center()));
    move(placed.topLeft());
  }
}

void UserKnobEditor::showFloating(bool floating) {
  // Stored first, so that whoever hears the signal reads the new state.
  m_floating = floating;
  setVisible(floating);
  emit embededPanelVisible(!floating);
}

bool UserKnobEditor::dragContainsKnobs(const QMimeData* data) const {
  return data && (data->hasFormat(QString::fromLatin1(m_placeholderMime)) ||
                  data->hasFormat(QString::fromLatin1(m_linkMime)));
}

QMimeData* UserKnobEditor::knobTemplateData(std::size_t index) const {
  QByteArray payload;
  QDataStream stream(&payload, QIODevice::WriteOnly);
  stream << qint32(index);
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(m_placeholderMime), payload);
  return data;
}

const KnobTypeInfo& UserKnobEditor::knobTemplateType(const QMimeData& data) const {
  QDataStream stream(data.data(QString::fromLatin1(m_placeholderMime)));
  qint32 index = -1;
  stream >> index;
  // A short payload would otherwise read as 0 and name the first knob type.
  if (stream.status() != QDataStream::Ok || index < 0) {
    throw std::out_of_range("the knob placeholder holds no knob type index");
  }
  return m_knobTypes.at(std::size_t(index));
}

bool UserKnobEditor::event(QEvent* event) {
  if (event->type() == QEvent::PaletteChange) {
    emit buttonColorChanged();
    QWidget::event(event);
    return true;
  }
  return QWidget::event(event);
}

void UserKnobEditor::closeEvent(QCloseEvent* event) {
  if (m_floating) {
    hide();
    m_floating = false;
    emit embededPanelVisible(true);
  }
  if (m_editing) {
    m_editing = false;
    emit editModeChanged(false);
  }
  QWidget::closeEvent(event);
}

} // namespace Velloro
