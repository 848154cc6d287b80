#include "core/ini/profile_load.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/ini/profile_name.h"
#include "core/ini/profile_syntax.h"

namespace quizloom::profile {
namespace {

constexpr std::size_t kGrowth = 64 * 1024;
// A listing reads the header of many files: most of them end it early.
// A header longer than kLastDoubling is read at once to the end of the
// file, so that the file is never held twice over in growing copies.
constexpr std::size_t kFirstChunk = 4 * 1024;
constexpr std::size_t kLastDoubling = 1024 * 1024;

// Finds, in the lines that have come in so far, where the first section of
// a name ends. Lines are taken only once they are whole.
class SectionEndScan {
public:
    explicit SectionEndScan(const Name& name) : name_(name) {}

    // The offset of the line that ends the section, once seen; with atEnd
    // the last line counts as whole.
    std::optional<std::size_t> scan(std::string_view text, bool atEnd) {
        while (next_ < text.size()) {
            const std::size_t contentEnd = findLineBreak(text, next_);
            if (contentEnd == text.size() && !atEnd)
                return std::nullopt; // the line may go on in the next read
            const std::string_view line = text.substr(next_, contentEnd - next_);
            std::size_t start = 0;
            while (start < line.size() && isBlank(line[start]))
                ++start;
            if (start < line.size() && line[start] == '[') {
                if (inSection_)
                    return next_;
                inSection_ = equalsFolded(sectionNameAt(line, start), name_.folded());
            }
            // A CR at the end of the bytes so far may be the first half of CR LF.
            if (contentEnd + 1 == text.size() && text[contentEnd] == '\r' && !atEnd)
                return std::nullopt;
            next_ = contentEnd + lineBreakLength(text, contentEnd);
        }
        return std::nullopt;
    }

private:
    const Name& name_;
    std::size_t next_ = 0;
    bool inSection_ = false;
};

// Reads to the end of the file (or of the wanted section), growing the
// buffer as needed; the buffer is left uninitialised, the reads fill it.
bool readToEnd(int fd, LoadedFile& file, std::size_t wholeFile, const Name* upToEndOf) {
    std::optional<SectionEndScan> scan;
    std::size_t capacity = wholeFile;
    if (upToEndOf) {
        scan.emplace(*upToEndOf);
        capacity = std::min(capacity, kFirstChunk);
    }
    file.buffer.reset(new char[capacity]);
    for (;;) {
        if (file.size == capacity) {
            if (capacity < wholeFile)
                capacity = capacity < kLastDoubling ? std::min(capacity * 2, wholeFile) : wholeFile;
            else
                capacity += kGrowth; // the file grew since fstat
            std::unique_ptr<char[]> larger(new char[capacity]);
            std::memcpy(larger.get(), file.buffer.get(), file.size);
            file.buffer = std::move(larger);
        }
        const ssize_t got = ::read(fd, file.buffer.get() + file.size, capacity - file.size);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            file.error = errno;
            return false;
        }
        file.size += static_cast<std::size_t>(got);
        if (scan) {
            if (const auto end = scan->scan(file.bytes(), got == 0)) {
                file.partial = *end < file.size || got != 0;
                file.size = *end;
                return true;
            }
        }
        if (got == 0)
            return true;
    }
}

} // namespace

LoadedFile loadFile(const std::string& path, const Name* upToEndOf) {
    LoadedFile file;
    // Without blocking: opening a FIFO for reading would wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        file.error = errno;
        file.state =
            errno == ENOENT || errno == ENOTDIR ? LoadedFile::State::Missing : LoadedFile::State::Unreadable;
        return file;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        file.error = errno;
        file.state = LoadedFile::State::Unreadable;
    } else if (!S_ISREG(info.st_mode)) {
        file.state = LoadedFile::State::NotRegular;
    } else if (readToEnd(fd, file, static_cast<std::size_t>(info.st_size) + 1, upToEndOf)) {
        // One byte more than the size above, so that reaching the end needs no growth.
        file.state = LoadedFile::State::Read;
    } else {
        file.state = LoadedFile::State::Unreadable;
    }
    ::close(fd);
    if (file.state != LoadedFile::State::Read) {
        file.buffer.reset();
        file.size = 0;
    }
    return file;
}

} // namespace quizloom::profile
