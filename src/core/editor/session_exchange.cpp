// Export of the session's tests and import of a document as a new test.
#include <string_view>

#include "core/editor/editing_session.h"
#include "core/exchange/quiz_export.h"
#include "core/exchange/quiz_import.h"
#include "core/ini/profile_replace.h"
#include "core/text/error.h"

namespace quizloom::editor {

std::vector<std::string> EditingSession::exportPaths(ExportScope scope) const {
    if (scope == ExportScope::EveryTest)
        return bank_.paths();
    return {bank_.currentPath()};
}

exchange::ExportResult EditingSession::exportQuizzes(ExportScope scope, exchange::Format format,
                                                     const std::string& target) const {
    exchange::ExportResult result = exchange::exportQuizzes(exportPaths(scope), format);
    if (result.written()) {
        const std::string_view chunks[] = {result.text};
        if (!profile::replaceFile(target, chunks))
            throw Error("Unable to write to " + target);
    }
    return result;
}

void EditingSession::importQuiz(const std::string& path, const exchange::ImportResult& result,
                                const std::string& name, const std::string& subject, bool replacing) {
    exchange::writeImportedQuiz(path, result, name, subject,
                                replacing ? exchange::ExistingFile::Backup : exchange::ExistingFile::Refuse);
    adoptQuiz(path, name, replacing);
    setText(Field::NumVar, "1");
    setText(Field::NumQue, "1");
    showQuestion();
}

} // namespace quizloom::editor
