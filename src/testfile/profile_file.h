#pragma once
// An INI-style profile file, read and written by section and key the way a
// Windows reader of these files expects. Names and values are UTF-8 here and
// Windows-1251 on disk. The file is parsed once when the object is made;
// reads are lookups; writes change the parsed copy, and release() replaces
// the file atomically, once, only if something was written.
#include <memory>
#include <string>
#include <string_view>

namespace quizloom {

class ProfileFile {
public:
    explicit ProfileFile(std::string path);
    ~ProfileFile(); // releases; a failure at this point is swallowed
    ProfileFile(const ProfileFile&) = delete;
    ProfileFile& operator=(const ProfileFile&) = delete;

    const std::string& path() const;

    // Default when the file, the section or the key is missing.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Throws Error("Unable to write to <path>") when the file or its folder
    // cannot be written; Error for CR, LF or NUL in any argument.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    bool readFlag(std::string_view section, std::string_view key, bool defaultValue) const;
    void writeFlag(std::string_view section, std::string_view key, bool value);
    // Removes the first key of that name in the first section of that name.
    void removeKey(std::string_view section, std::string_view key);
    // Writes pending changes to disk (atomic replace); throws
    // Error("Unable to write to <path>") and leaves the old file untouched
    // on failure. Later calls do nothing unless more was written.
    void release();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace quizloom
