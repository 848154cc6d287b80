#pragma once
// Writing the check report file.
#include <string>
#include <vector>

namespace quizloom::check {

// Writes lines (UTF-8) to path as the report file holds them (Windows-1251,
// CR LF after every line), replacing an existing file in one step so that
// a failed write leaves the earlier report whole. Throws
// Error("Cannot create file <displayName>") when it cannot be written.
void writeReportFile(const std::string& path, const std::vector<std::string>& lines,
                     const std::string& displayName);

} // namespace quizloom::check
