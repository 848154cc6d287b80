#pragma once
// Atomic replacement of a whole file: the new bytes go to a temporary file in
// the same folder, reach the disk, and are renamed over the old file, so a
// reader sees either the old or the new file, never a mix or a stub.
#include <span>
#include <string>
#include <string_view>

namespace quizloom::profile {

// The file a write of path changes: path itself, or the final target when
// path is a symbolic link (the link stays a link).
std::string replaceTarget(const std::string& path);

// Whether replaceFile(target) can succeed as far as the file system tells in
// advance: the folder exists and is writable, and target, when it exists, is
// a writable regular file with at least one write permission bit (also for
// a privileged user). When not, errno gives the reason.
bool canReplace(const std::string& target);

// Replaces target with the concatenated chunks. An existing target keeps its
// permission bits (and, where allowed, its owner); a new one gets 0666 less
// the umask. On failure returns false with the reason in errno, leaves
// target as it was and removes the temporary file. The temporary file is
// named ".<name>.tmp-<host>-<pid>-<n>" in target's folder (<name> cut to 64
// bytes, so that any valid target name leaves a valid temporary name);
// after a replacement, the temporaries of target that a process of this
// host left behind and that no running process owns (a save killed before
// its rename) are removed.
bool replaceFile(const std::string& target, std::span<const std::string_view> chunks);

// The same for a file that must not be there: the written file takes the
// name only if nothing (a file, a folder, a link) holds it by then, so of
// two writers racing for one name exactly one succeeds, and a file created
// at target meanwhile is never replaced. False, with errno EEXIST, when the
// name was taken; target is then untouched and no temporary is left.
bool createFile(const std::string& target, std::span<const std::string_view> chunks);

// That removal alone.
void removeLeftoverTemporaries(const std::string& target);

} // namespace quizloom::profile
