#pragma once
// The binding of the main window's controls to the editing session: which
// control shows which session field and which handler each control's event
// runs (the tables in form_binding.cpp are the glossary of the form's
// names), and the rendering of the session into the controls.
#include <array>

#include "core/editor/editing_session.h"

class QLabel;
class TFormQuizloom;
namespace Ui {
class TFormQuizloom;
}

class FormBinding {
public:
    FormBinding(TFormQuizloom& window, Ui::TFormQuizloom& ui, quizloom::editor::EditingSession& session,
                const std::array<QLabel*, 3>& panels);
    void connectHandlers();
    // A field's control changed: its text goes to the session.
    void fieldChanged(quizloom::editor::Field field);
    // Puts the session's state into the controls (only what differs).
    void render();

private:
    void renderView();
    void renderPicker();

    TFormQuizloom& window_;
    Ui::TFormQuizloom& ui_;
    quizloom::editor::EditingSession& session_;
    const std::array<QLabel*, 3>& panels_;
    // What render last put into the controls that are rebuilt, not compared.
    bool editorViewShown_ = true;
    unsigned renderedBank_ = ~0u;
    unsigned renderedReport_ = 0;
};
