#pragma once
// Reading a profile file whole, once, into memory that the parsed view of
// the file points into for the life of the object.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace quizloom::profile {

class Name;

struct LoadedFile {
    // Missing: no such file (or folder). NotRegular: a FIFO, a device, a
    // folder: never opened for reading, so that it cannot block. Unreadable:
    // a regular file that cannot be read (error holds errno then).
    enum class State { Missing, Read, NotRegular, Unreadable };
    State state = State::Missing;
    int error = 0;
    std::unique_ptr<char[]> buffer;
    std::size_t size = 0;
    bool partial = false; // read only up to the end of a section

    std::string_view bytes() const { return {buffer.get(), size}; }
};

// bytes() is empty unless the state is Read. With upToEndOf, reading stops
// at the line that opens the section after the first section of that name
// (the whole file when that section is the last or there is none), and
// partial tells whether it stopped early.
LoadedFile loadFile(const std::string& path, const Name* upToEndOf = nullptr);

} // namespace quizloom::profile
