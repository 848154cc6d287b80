#include "core/checker/report_file.h"

#include <string_view>

#include "core/checker/structure_check.h"
#include "core/ini/profile_replace.h"
#include "core/text/error.h"

namespace quizloom::check {

void writeReportFile(const std::string& path, const std::vector<std::string>& lines,
                     const std::string& displayName) {
    // The same atomic replace as a test file gets: a failed write leaves the
    // earlier report whole. A report file the user made read-only is refused,
    // as creating it over a write-protected file would be.
    const std::string target = profile::replaceTarget(path);
    const std::string bytes = reportFileBytes(lines);
    const std::string_view chunks[] = {bytes};
    if (!profile::canReplace(target) || !profile::replaceFile(target, chunks))
        throw Error(formatMessage("Cannot create file %s", displayName));
}

} // namespace quizloom::check
