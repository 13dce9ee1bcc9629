#pragma once
// Qt's own texts (standard buttons, message boxes, the edit menus of text
// boxes) in Chinese like the rest of the window.

class QCoreApplication;

namespace Zuno {

// Installs Qt's Simplified Chinese translation from Qt's translations folder
// into `app`, once; false when the translation is not installed there (the
// standard texts then stay in English).
bool installQtTranslation(QCoreApplication* app);

} // namespace Zuno
