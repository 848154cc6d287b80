#pragma once
// The test list of a working directory, without any GUI: which files are
// tests, in which order they are listed, and in which order their names are
// shown for picking. The editor's test list and quizloom-check both use it,
// so a bank is listed (and its "first damaged file" found) the same way
// everywhere.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quizloom {

struct TestEntry {
    std::string path; // the working directory followed directly by the file name (UTF-8)
    std::string name; // "Название теста" of section "Тест"; may be empty
};

// The tests of workDir (which ends with "/"), in test-list order:
// - files whose name ends in ".ini" in any letter case, regular files or
//   links to regular files; names starting with "." are hidden and skipped;
// - ordered by file name compared after Unicode lower-casing, ties broken
//   by the names' bytes, so the order is the same on every machine;
// - a file is listed unless its name read with the default "Error" is
//   "Error" (no key, no section, an unreadable file, or that very name).
// Every file is opened, read and released before the next one.
// Returns nothing when the folder is missing or cannot be read.
std::optional<std::vector<TestEntry>> tryScanTestFolder(const std::string& workDir);
// The same, with a missing or unreadable folder giving an empty list.
std::vector<TestEntry> scanTestFolder(const std::string& workDir);

// CurrentTest after a scan: the index of the last listed test whose name is
// empty, or 0 when there is none (also for an empty list).
int initialCurrentTest(const std::vector<TestEntry>& tests);

// The order in which names are shown for picking: the indexes of names,
// sorted by the names compared after Unicode lower-casing with ё taken as е
// (and Ё as Е); equal names keep their list order.
std::vector<std::size_t> subjectDisplayOrder(const std::vector<std::string>& names);
std::vector<std::size_t> subjectDisplayOrder(const std::vector<TestEntry>& tests);

} // namespace quizloom
