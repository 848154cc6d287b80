#pragma once
// The dialogs that name a new test file, for a new test and for an import.
#include <string>

#include "gui/app/dialogs.h"

class QWidget;

namespace quizloom {

// The name (and, given subject, the discipline: by default the name) and
// file name of a new test, each asked with the text passed in as default;
// a confirmed text is kept at once. False when called off or refused.
bool askNewQuizNames(Dialogs& dialogs, QWidget* parent, std::string& name, std::string* subject,
                     std::string& fileName);
// True when the file at path does not exist or may be replaced.
bool confirmReplace(Dialogs& dialogs, QWidget* parent, const std::string& path, bool exists);

} // namespace quizloom
