#include <velloro/widgets/HoverFocus.h>

#include <QVariant>
#include <QWidget>

namespace Velloro {

namespace {
constexpr char kHoverFocusProperty[] = "tsHoverFocus";
}

void RegisterForHoverFocus(QWidget& widget) {
  widget.setProperty(kHoverFocusProperty, true);
}

void UnregisterForHoverFocus(QWidget& widget) {
  widget.setProperty(kHoverFocusProperty, false);
}

bool IsHoverFocusWidget(const QWidget& widget) {
  return widget.property(kHoverFocusProperty).toBool();
}

} // namespace Velloro
