#include "checker/report_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <random>

#include "checker/structure_check.h"
#include "text/error.h"

namespace quizloom::check {

namespace fs = std::filesystem;

namespace {

bool writeWhole(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

} // namespace

void writeReportFile(const std::string& path, const std::vector<std::string>& lines,
                     const std::string& displayName) {
    const std::string bytes = reportFileBytes(lines);
    // Beside the target, so that the rename stays within one file system;
    // a random suffix keeps two programs running at once apart.
    const std::string temporary = path + ".tmp" + std::to_string(std::random_device{}());
    std::error_code ec;
    bool written = writeWhole(temporary, bytes);
    if (written) {
        fs::rename(temporary, path, ec);
        written = !ec;
    }
    if (!written) {
        fs::remove(temporary, ec);
        throw Error(formatMessage("Cannot create file %s", displayName));
    }
}

} // namespace quizloom::check
