#pragma once
// What the entry point sets on the application before the main window
// exists: its identity, its icon and the toolkit's Russian texts.

#include <QString>

class QApplication;
class QCoreApplication;

namespace quizloom {

inline constexpr const char* kApplicationId = "org.quizloom.Quizloom";

// Application-wide: the window icon from the PNGs of the icon theme, the
// desktop entry's name, and the toolkit's own texts (standard buttons, the
// folder dialog, context menus) in Russian whatever the locale.
// False when the toolkit's translation is not installed; the program then
// runs with the toolkit's English texts.
bool setUpApplication(QApplication& app);

// The program's name, the caption of its message boxes whatever the
// executable is called.
QString applicationTitle();

// The toolkit's own texts in Russian (also those of the command-line help);
// false when its translation is not installed.
bool installToolkitTranslation(QCoreApplication& app);

} // namespace quizloom
