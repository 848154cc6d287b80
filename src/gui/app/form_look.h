#pragma once
// Fonts, colours and sizes of the main window that the form file cannot
// express portably.
#include <array>

class QLabel;
class QMainWindow;
class QStatusBar;
namespace Ui {
class TFormQuizloom;
}

namespace quizloom {

// The form's fonts where installed, the platform's otherwise; widens any
// control whose caption would be clipped; sizes the client area.
void applyFormLook(QMainWindow& window, Ui::TFormQuizloom& form);
// The three panels of the status bar: "Статус", "Файл:" and the file of
// the current test, which takes the rest of the bar.
std::array<QLabel*, 3> createStatusPanels(QStatusBar& bar);

} // namespace quizloom
