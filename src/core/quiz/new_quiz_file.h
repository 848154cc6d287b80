#pragma once
// The file side of creating a test: where the new file goes, the ".BAK"
// backup of a file it replaces, and the one key it starts with. Paths are
// UTF-8 and use "/".
#include <string>
#include <string_view>

namespace quizloom::newquiz {

// workDir (ending with "/") + fileName as typed + ".ini", also when the name
// already ends in an extension or holds a folder part.
std::string quizFilePath(std::string_view workDir, std::string_view fileName);

// path with the extension of its file name (the part after the last point
// of the name) replaced by ".BAK"; ".BAK" is appended when the name has no point.
std::string backupPath(std::string_view path);

// True when something other than a folder is at path.
bool fileExistsAt(const std::string& path);

// Creates folder with every missing parent. Whether that worked is seen
// when the new file is written.
void createFolder(const std::string& folder);

// Moves the file at path to backupPath(path), replacing an older backup of
// that name, so that the content being replaced always ends up in the backup.
// Throws Error("Не удалось создать резервную копию <backup path>") and
// leaves the file where it was when the move is impossible.
void moveToBackup(const std::string& path);

// Writes the new test file at path: section "Тест" holding only
// "Название теста" = quizName. Throws Error("Unable to write to <path>").
void writeNewQuizFile(const std::string& path, std::string_view quizName);

} // namespace quizloom::newquiz
