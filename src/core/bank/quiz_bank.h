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

struct QuizEntry {
    std::string path; // the working directory followed directly by the file name (UTF-8)
    std::string name; // "Название теста" of section "Тест"; may be empty
};

// A "*.ini" file of the folder that is not listed, and why.
struct LeftOutFile {
    enum class Reason {
        Unreadable, // error holds errno
        NotRegular, // a FIFO, a device (folders are skipped)
        NoName,     // read, but no test name (or the name "Error")
    };
    std::string path;
    Reason reason = Reason::NoName;
    int error = 0;
};

// The tests of workDir (which ends with "/"), in test-list order:
// - files whose name ends in ".ini" in any letter case, regular files or
//   links to regular files; names starting with "." are hidden and skipped,
//   and so are folders (and links to them) whatever their name;
// - ordered by file name compared after Unicode lower-casing, ties broken
//   by the names' bytes, so the order is the same on every machine;
// - a file is listed unless its name read with the default "Error" is
//   "Error" (no key, no section, an unreadable file, or that very name).
// Every file is opened, read (only up to the end of its header section) and
// released before the next one. Files that are not listed, hidden ones
// aside, go to leftOut when given, in the same order.
// Returns nothing when the folder is missing or cannot be read.
std::optional<std::vector<QuizEntry>> tryScanQuizFolder(const std::string& workDir,
                                                        std::vector<LeftOutFile>* leftOut = nullptr);
// The same, with a missing or unreadable folder giving an empty list.
std::vector<QuizEntry> scanQuizFolder(const std::string& workDir);

// CurrentTest after a scan: the index of the last listed test whose name is
// empty, or 0 when there is none (also for an empty list).
int initialCurrentQuiz(const std::vector<QuizEntry>& tests);

// The order in which names are shown for picking: the indexes of names,
// sorted by the names compared after Unicode lower-casing with ё taken as е
// (and Ё as Е); equal names keep their list order.
std::vector<std::size_t> subjectDisplayOrder(const std::vector<std::string>& names);
std::vector<std::size_t> subjectDisplayOrder(const std::vector<QuizEntry>& tests);

// The bank the editor works on: the tests of the working directory in list
// order, the order of the picker, and which test is current. Indexes are
// list indexes; positions are places in the picker.
class QuizBank {
public:
    // Lists workDir afresh; the current test becomes initialCurrentQuiz.
    void scan(const std::string& workDir);
    // Adds a test at the end of the list (a new test file) and makes it
    // current; among equal names it goes after the earlier ones, as a scan
    // would list it. Returns its index.
    int add(std::string path, std::string name);
    // Lists workDir afresh and makes current the test at path, so that every
    // entry shows the name its file now holds (a replaced file changes it).
    void rescanKeeping(const std::string& workDir, const std::string& path);

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const QuizEntry& entry(std::size_t index) const { return entries_[index]; }
    const std::vector<QuizEntry>& entries() const { return entries_; }
    std::vector<std::string> paths() const;

    // The list index of the test shown at each picker position.
    const std::vector<std::size_t>& pickerOrder() const { return pickerOrder_; }
    // The picker position of the test at index (-1 when not listed).
    int positionOf(std::size_t index) const;
    // The name the picker shows for the test at index: control characters as "?".
    std::string pickerName(std::size_t index) const;
    // The first picker position whose shown name is exactly name (-1 when none).
    int firstPositionNamed(std::string_view name) const;

    int current() const { return current_; }
    void setCurrent(int index) { current_ = index; }
    // The current index names a listed test.
    bool hasCurrent() const;
    // The current test's path, or "" (no test) when none is listed there.
    std::string currentPath() const;
    // Changes with every new list, so a view knows when to rebuild its picker.
    unsigned generation() const { return generation_; }

private:
    void reorder();

    std::vector<QuizEntry> entries_;
    std::vector<std::size_t> pickerOrder_;
    int current_ = -1;
    unsigned generation_ = 0;
};

} // namespace quizloom
