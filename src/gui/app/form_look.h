#pragma once
// Fonts, colours and sizes of the main window that the form file cannot
// express portably.
class QMainWindow;
namespace Ui { class TFormQuizloom; }

namespace quizloom {

// The form's fonts where installed, the platform's otherwise; widens any
// control whose caption would be clipped; sizes the client area.
void applyFormLook(QMainWindow& window, Ui::TFormQuizloom& form);

} // namespace quizloom
