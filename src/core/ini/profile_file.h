#pragma once
// An INI-style profile file, read and written by section and key the way a
// Windows reader of these files expects. Names and values are UTF-8 here and
// Windows-1251 on disk. The file is read whole when the object is made;
// reads are lookups (a section's keys are indexed at its first lookup, so
// even a const object must not be read from two threads at once); writes
// change the object's view, and release() replaces the file atomically,
// once, only if something was written. Two objects open on one file at the
// same time do not see each other's writes; the last one released wins.
//
// Reading (profile_syntax.h has the line rules): names compare without
// regard to letter case, Cyrillic included; blanks around names and values
// do not count; the first section of a name and its first key of a name win.
// Values are returned whole, however long. A path that is not a regular
// file (a FIFO, a device, a folder) reads as a missing file and is never
// opened for reading, so reading cannot block.
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
#include <span>
#include <string>
#include <string_view>

#include "core/ini/profile_name.h"

namespace quizloom {

class ProfileFile {
public:
    enum class State {
        Missing, // no such file: reads give the defaults
        Read,
        NotRegular, // a FIFO, a device or a folder: reads as missing
        Unreadable, // exists but cannot be read: reads as missing, writes refused
    };

    explicit ProfileFile(std::string path);
    ~ProfileFile(); // releases; a failure at this point is swallowed
    ProfileFile(const ProfileFile&) = delete;
    ProfileFile& operator=(const ProfileFile&) = delete;

    // Reads only as far as the end of the first section of that name (the
    // whole file when it is the last section or missing): for a listing
    // that needs one header value of many files. Every write of such an
    // object is refused with "Unable to write to <path>".
    static ProfileFile openUpToEndOf(std::string path, const profile::Name& section);

    const std::string& path() const;
    State state() const;
    // errno of the failed read when state() is Unreadable, else 0.
    int readError() const;

    // Default when the file, the section or the key is missing.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Nothing when the file, the section or the key is missing.
    std::optional<std::string> findString(std::string_view section, std::string_view key) const;
    // The value as the file holds it (Windows-1251), for callers that only
    // compare: valid until the next write or removal through this object.
    std::optional<std::string_view> findBytes(const profile::Name& section, const profile::Name& key) const;
    // Throws Error("Unable to write to <path>") when the file or its folder
    // cannot be written (checked at the first write of the object): also a
    // file with no write permission bit, even for a privileged user. Throws
    // Error, changing nothing, for CR or LF in any argument and for a name
    // that would read back as something else (a key holding '=' or starting
    // with ';' or '[', a section name holding ']'). Every other byte, NUL
    // included, is stored as it is.
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
    // The same for a file that must be new: the file appears only if nothing
    // is at its path by then (profile_replace.h, createFile); else the error
    // is a WriteError with EEXIST and whatever is there stays.
    void releaseAsNew();

    ProfileFile(ProfileFile&&) noexcept;

private:
    struct Impl;
    explicit ProfileFile(std::unique_ptr<Impl> impl);
    void releaseBy(bool (*write)(const std::string& target, std::span<const std::string_view> chunks));
    std::unique_ptr<Impl> impl_;
};

} // namespace quizloom
