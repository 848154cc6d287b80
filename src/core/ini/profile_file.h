#pragma once
// An INI-style profile file, read and written by section and key the way a
// Windows reader of these files expects. Names and values are UTF-8 here and
// Windows-1251 on disk. The file is parsed once when the object is made;
// reads are lookups; writes change the parsed copy, and release() replaces
// the file atomically, once, only if something was written. Two objects open
// on one file at the same time do not see each other's writes; the last one
// released wins.
//
// Reading (profile_syntax.h has the line rules): names compare without
// regard to letter case, Cyrillic included; blanks around names and values
// do not count; the first section of a name and its first key of a name win.
// Values are returned whole, however long.
//
// Writing changes nothing but the entry concerned: a replaced value rewrites
// only its own line (as key=value, the key spelled as in the file, the line
// end kept); a new key goes right after the last entry of its section, in
// front of any comments or blank lines that close the section; a new section
// goes at the end. Lines added end with CR LF. A value that reading would
// change (outer blanks, an enclosing pair of quotes) is stored inside one
// more pair of double quotes, so every value written reads back as it was.
#include <memory>
#include <optional>
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
    // Nothing when the file, the section or the key is missing.
    std::optional<std::string> findString(std::string_view section, std::string_view key) const;
    // Throws Error("Unable to write to <path>") when the file or its folder
    // cannot be written (checked at the first write of the object). Throws
    // Error, changing nothing, for CR, LF or NUL in any argument and for a
    // name that would read back as something else (a key holding '=' or
    // starting with ';' or '[', a section name holding ']').
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    // A decimal value, or a hexadecimal one after "0x" or "0X"; zero is false.
    bool readFlag(std::string_view section, std::string_view key, bool defaultValue) const;
    void writeFlag(std::string_view section, std::string_view key, bool value);
    // Removes the line of the first key of that name in the first section of
    // that name (a later key of the same name is read from then on); false
    // when there was no such key.
    bool removeKey(std::string_view section, std::string_view key);
    // Writes pending changes to disk (atomic replace); throws
    // Error("Unable to write to <path>") and leaves the old file untouched
    // on failure. Later calls do nothing unless more was written.
    void release();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace quizloom
