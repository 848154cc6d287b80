#include "core/ini/profile_load.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quizloom::profile {
namespace {

constexpr std::size_t kGrowth = 64 * 1024;

// Reads to the end of the file, growing the buffer if the file grew since
// fstat; the buffer is left uninitialised, the read fills it.
bool readToEnd(int fd, LoadedFile& file, std::size_t capacity)
{
    file.buffer.reset(new char[capacity]);
    for (;;) {
        if (file.size == capacity) {
            capacity += kGrowth;
            std::unique_ptr<char[]> larger(new char[capacity]);
            std::memcpy(larger.get(), file.buffer.get(), file.size);
            file.buffer = std::move(larger);
        }
        const ssize_t got = ::read(fd, file.buffer.get() + file.size, capacity - file.size);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        file.size += static_cast<std::size_t>(got);
    }
}

} // namespace

LoadedFile loadFile(const std::string& path)
{
    LoadedFile file;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        file.state = errno == ENOENT || errno == ENOTDIR ? LoadedFile::State::Missing
                                                         : LoadedFile::State::Unreadable;
        return file;
    }
    struct stat info {};
    // One byte more than the size, so that reaching the end needs no growth.
    const bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                    readToEnd(fd, file, static_cast<std::size_t>(info.st_size) + 1);
    ::close(fd);
    if (!ok) {
        file.buffer.reset();
        file.size = 0;
    }
    file.state = ok ? LoadedFile::State::Read : LoadedFile::State::Unreadable;
    return file;
}

} // namespace quizloom::profile
