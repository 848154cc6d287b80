#include "core/ini/profile_replace.h"

#include <cerrno>
#include <climits>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quizloom::profile {
namespace {

constexpr int kMaxLinkHops = 40;
constexpr int kMaxTempAttempts = 100;

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Closes the descriptor and removes the temporary file unless kept.
class TempFile {
public:
    TempFile(const std::string& target, mode_t createMode)
    {
        const std::string stem = folderOf(target) + "/." + baseNameOf(target) + ".tmp" +
                                 std::to_string(::getpid()) + "-";
        for (int attempt = 0; attempt < kMaxTempAttempts && fd_ < 0; ++attempt) {
            path_ = stem + std::to_string(counter_++);
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
            if (fd_ < 0 && errno != EEXIST)
                break;
        }
        created_ = fd_ >= 0;
    }
    ~TempFile()
    {
        close();
        if (created_ && !kept_)
            ::unlink(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    bool valid() const { return created_; }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    bool close()
    {
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

bool writeAll(int fd, std::string_view bytes)
{
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

void syncFolder(const std::string& folder)
{
    // Makes the rename itself durable; a folder that cannot be opened for
    // this is no reason to report the completed replacement as failed.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::string replaceTarget(const std::string& path)
{
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

bool canReplace(const std::string& target)
{
    const std::string folder = folderOf(target);
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        ::access(folder.c_str(), W_OK | X_OK) != 0)
        return false;
    if (::stat(target.c_str(), &info) != 0)
        return errno == ENOENT;
    return S_ISREG(info.st_mode) && ::access(target.c_str(), W_OK) == 0;
}

bool replaceFile(const std::string& target, std::span<const std::string_view> chunks)
{
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
    for (const std::string_view chunk : chunks) {
        if (!writeAll(temp.fd(), chunk))
            return false;
    }
    if (::fsync(temp.fd()) != 0 || !temp.close())
        return false;
    if (::rename(temp.path().c_str(), target.c_str()) != 0)
        return false;
    temp.keep();
    syncFolder(folderOf(target));
    return true;
}

} // namespace quizloom::profile
