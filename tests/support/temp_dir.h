#pragma once
// A private temporary folder for one test: made unique under the system's
// temporary directory, removed with everything in it when the object goes.
#include <string>
#include <string_view>

namespace quizloom::testing {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Absolute, without a trailing slash.
    const std::string& path() const;
    // path() + "/" + name.
    std::string file(std::string_view name) const;

private:
    std::string path_;
};

// Makes a folder the process's current directory for the life of the
// object, then goes back: for code that writes by bare file name.
class CurrentDirScope {
public:
    explicit CurrentDirScope(const std::string& path);
    ~CurrentDirScope();
    CurrentDirScope(const CurrentDirScope&) = delete;
    CurrentDirScope& operator=(const CurrentDirScope&) = delete;

private:
    std::string previous_;
};

// Whole file as bytes; throws std::runtime_error when it cannot be read.
std::string readFileBytes(const std::string& path);
// Creates or truncates; throws std::runtime_error on failure.
void writeFileBytes(const std::string& path, std::string_view bytes);

} // namespace quizloom::testing
