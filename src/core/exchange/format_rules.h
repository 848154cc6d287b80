#pragma once
// What each exchange format can carry so that our own import gives it back
// unchanged. Export leaves out what breaks a rule; import refuses it, so a
// test exported and imported again has the same questions, names, variant
// count and type in every format.
#include <optional>
#include <string>
#include <string_view>

#include "core/exchange/export_model.h"

namespace quizloom::exchange {

// Why format cannot carry the question; nothing when it can. Texts and
// answers are as a test file holds them.
std::optional<std::string> formatRefusal(const ExportQuestion& question, Format format);

// Why a test name cannot travel as the test's category: the rules of a
// question text (no outer blanks, not empty, no control byte, within the
// 2,047 bytes of a value).
std::optional<std::string> quizNameRefusal(std::string_view name);

} // namespace quizloom::exchange
