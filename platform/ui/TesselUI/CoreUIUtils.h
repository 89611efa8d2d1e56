#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace Tessel::UI {

namespace CoreUIUtils {

// The icon of that name under the "icons:" search path: name.svg, else name.png, else name
// as given. A name that finds no file gives a null icon.
TESSEL_UI_EXPORT QIcon createIcon(const QString& name);

// Directory that the "icons:" prefix searches, registered when the library loads.
TESSEL_UI_EXPORT QString iconDirectory();

} // namespace CoreUIUtils

// An icon for a tool-bar button from one image file: the image for the normal state, a faded
// copy for the disabled state and, when tintCheckedState is true, a copy tinted with the
// palette's highlight colour for the checked state. A missing file gives a null icon.
TESSEL_UI_EXPORT QIcon CreateToolButtonIcon(const QString& path, bool tintCheckedState);

// A copy of the pixmap in which every pixel takes the colour, keeping its own opacity.
TESSEL_UI_EXPORT QPixmap ColorPixmap(const QPixmap& pixmap, const QColor& colour);

} // namespace Tessel::UI
