#pragma once
// The one file a fuzzer writes its inputs to, in a private folder removed at
// exit (also after a failure, which aborts).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <stdlib.h>

namespace quizloom::fuzz {

inline std::string& workDir() {
    static std::string dir;
    return dir;
}

inline void removeWorkDir() {
    if (!workDir().empty())
        std::filesystem::remove_all(workDir());
}

// Reports what failed, under the fuzzer's name, and stops.
[[noreturn]] inline void fail(const char* fuzzer, const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s: %s\n", fuzzer, what, detail.c_str());
    removeWorkDir(); // abort() skips the atexit handler
    std::abort();
}

// "test.ini" in a folder made at the first call, in memory where there is
// such a file system.
inline const std::string& workFile(const char* fuzzer) {
    static const std::string path = [&] {
        const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string dir = std::string(base) + "/quizloom-fuzz-XXXXXX";
        if (!mkdtemp(dir.data()))
            fail(fuzzer, "setup", "mkdtemp");
        workDir() = dir;
        std::atexit(removeWorkDir);
        return dir + "/test.ini";
    }();
    return path;
}

} // namespace quizloom::fuzz
