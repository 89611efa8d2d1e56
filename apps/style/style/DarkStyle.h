#pragma once

// Gives the application the dark look of a compositing application, which the library's icons
// are drawn for. Call on the GUI thread once the QApplication exists.
void UseDarkStyle();
