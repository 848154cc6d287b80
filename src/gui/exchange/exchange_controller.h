#pragma once
// Export of the current or every test to a learning platform's format, and
// import of such a document into a new test file: the dialogs of the two
// flows; the session does the work.
class TFormQuizloom;
namespace quizloom::exchange {
struct ImportResult;
}

class ExchangeController {
public:
    explicit ExchangeController(TFormQuizloom& window) : window_(window) {}

    void exportQuizzes();
    void importQuiz();

private:
    // An import with malformed questions: true when the others are to go in.
    bool importDespiteErrors(const quizloom::exchange::ImportResult& result);

    TFormQuizloom& window_;
};
