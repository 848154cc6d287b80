#include "core/ini/profile_replace.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <optional>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quizloom::profile {
namespace {

constexpr int kMaxLinkHops = 40;
constexpr int kMaxTempAttempts = 100;
// Of the target's name, what a temporary's name repeats: with the host name
// (at most 64 bytes) and two numbers it stays far below the 255 bytes a
// name may have, however long the target's own name is.
constexpr std::size_t kNameInTemp = 64;

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

const std::string& hostName() {
    static const std::string name = [] {
        char buffer[256] = {};
        if (::gethostname(buffer, sizeof buffer - 1) != 0 || buffer[0] == '\0')
            return std::string("localhost");
        std::string host(buffer);
        std::replace(host.begin(), host.end(), '/', '_');
        return host;
    }();
    return name;
}

// The name cut to at most kNameInTemp bytes, not inside a UTF-8 sequence.
std::string shortName(std::string name) {
    if (name.size() <= kNameInTemp)
        return name;
    std::size_t end = kNameInTemp;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
        --end;
    name.resize(end);
    return name;
}

// ".<name>.tmp-<host>-": what the temporaries of target begin with on this
// host; the process id and a counter follow.
std::string tempPrefix(const std::string& target) {
    // Appended in steps: GCC 12 at -O3 misreads the concatenation as an
    // overlapping copy and -Werror stops the build.
    std::string prefix = ".";
    prefix += shortName(baseNameOf(target));
    prefix += ".tmp-";
    prefix += hostName();
    prefix += '-';
    return prefix;
}

// The process id of a temporary's name "<prefix><pid>-<n>", or nothing.
std::optional<pid_t> tempOwner(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix))
        return std::nullopt;
    name.remove_prefix(prefix.size());
    const std::size_t dash = name.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == name.size())
        return std::nullopt;
    auto allDigits = [](std::string_view text) {
        return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    const std::string_view pid = name.substr(0, dash);
    if (!allDigits(pid) || !allDigits(name.substr(dash + 1)) || pid.size() > 9)
        return std::nullopt;
    return static_cast<pid_t>(std::stol(std::string(pid)));
}

// Closes the descriptor and removes the temporary file unless kept; errno
// stays what the failure that ended the write set.
class TempFile {
public:
    TempFile(const std::string& target, mode_t createMode) {
        const std::string stem =
            folderOf(target) + "/" + tempPrefix(target) + std::to_string(::getpid()) + "-";
        for (int attempt = 0; attempt < kMaxTempAttempts && fd_ < 0; ++attempt) {
            path_ = stem + std::to_string(counter_++);
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
            if (fd_ < 0 && errno != EEXIST)
                break;
        }
        created_ = fd_ >= 0;
    }
    ~TempFile() {
        const int failure = errno;
        close();
        if (created_ && !kept_)
            ::unlink(path_.c_str());
        errno = failure;
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    bool valid() const { return created_; }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    bool close() {
        if (fd_ < 0)
            return true;
        const bool ok = ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }
    void keep() { kept_ = true; }

private:
    static inline unsigned counter_ = 0;
    std::string path_;
    int fd_ = -1;
    bool created_ = false;
    bool kept_ = false;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The chunks into the temporary, on the disk, the descriptor closed.
bool fill(TempFile& temp, std::span<const std::string_view> chunks) {
    for (const std::string_view chunk : chunks) {
        if (!writeAll(temp.fd(), chunk))
            return false;
    }
    return ::fsync(temp.fd()) == 0 && temp.close();
}

// Gives the temporary target's name in one step that fails with EEXIST when
// the name is taken; where the file system has no such rename, a hard link
// does the same, and the temporary's own name goes afterwards.
bool publishNew(TempFile& temp, const std::string& target) {
    if (::renameat2(AT_FDCWD, temp.path().c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        temp.keep();
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    return ::link(temp.path().c_str(), target.c_str()) == 0;
}

void syncFolder(const std::string& folder) {
    // Makes the rename itself durable; a folder that cannot be opened for
    // this is no reason to report the completed replacement as failed.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::string replaceTarget(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(current.c_str(), link.data(), link.size());
        if (length < 0)
            return current;
        link.resize(static_cast<std::size_t>(length));
        current = link.starts_with('/') ? link : folderOf(current) + "/" + link;
    }
    return current;
}

bool canReplace(const std::string& target) {
    const std::string folder = folderOf(target);
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0)
        return false;
    if (!S_ISDIR(info.st_mode)) {
        errno = ENOTDIR;
        return false;
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return false;
    if (::stat(target.c_str(), &info) != 0)
        return errno == ENOENT;
    if (!S_ISREG(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : EPERM;
        return false;
    }
    // access() grants root every file; a file with no write bit at all is
    // refused for every user, as the system the format comes from does.
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        errno = EACCES;
        return false;
    }
    return ::access(target.c_str(), W_OK) == 0;
}

void removeLeftoverTemporaries(const std::string& target) {
    // Only this host's: a process id says nothing about another machine
    // that shares the folder.
    const std::string prefix = tempPrefix(target);
    const std::string folder = folderOf(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::optional<pid_t> owner = tempOwner(entry->d_name, prefix);
        if (owner && *owner != ::getpid() && ::kill(*owner, 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

bool replaceFile(const std::string& target, std::span<const std::string_view> chunks) {
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    TempFile temp(target, exists ? S_IRUSR | S_IWUSR : 0666);
    if (!temp.valid())
        return false;
    if (exists) {
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            // Only a privileged user may give the file away; others keep
            // the replacement as their own, as any editor would.
            [[maybe_unused]] const int ignored = ::fchown(temp.fd(), old.st_uid, old.st_gid);
        }
        // After the owner change, which may clear set-id bits.
        if (::fchmod(temp.fd(), old.st_mode & 07777) != 0)
            return false;
    }
    if (!fill(temp, chunks) || ::rename(temp.path().c_str(), target.c_str()) != 0)
        return false;
    temp.keep();
    syncFolder(folderOf(target));
    removeLeftoverTemporaries(target);
    return true;
}

bool createFile(const std::string& target, std::span<const std::string_view> chunks) {
    TempFile temp(target, 0666);
    if (!temp.valid() || !fill(temp, chunks) || !publishNew(temp, target))
        return false;
    syncFolder(folderOf(target));
    removeLeftoverTemporaries(target);
    return true;
}

} // namespace quizloom::profile
