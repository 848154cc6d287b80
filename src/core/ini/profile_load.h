#pragma once
// Reading a profile file whole, once, into memory that the parsed view of
// the file points into for the life of the object.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace quizloom::profile {

struct LoadedFile {
    enum class State { Missing, Read, Unreadable };
    State state = State::Missing;
    std::unique_ptr<char[]> buffer;
    std::size_t size = 0;

    std::string_view bytes() const { return {buffer.get(), size}; }
};

// Missing: no such file (or folder). Unreadable: it exists but cannot be
// read as a regular file; bytes() is empty then.
LoadedFile loadFile(const std::string& path);

} // namespace quizloom::profile
