#pragma once
// The print dialog's choices kept in the program settings file, in a
// section of their own. The shuffle key is never kept: a new one is drawn
// each time the dialog opens.
#include <string>
#include <string_view>

#include "core/print/paper_test.h"

namespace quizloom::print {

inline constexpr std::string_view kPrintSection = "Печать";

// Missing or unreadable values give the defaults of PaperChoices; a font
// size out of range gives the nearest one allowed.
PaperChoices loadPrintChoices(const std::string& settingsPath);
// Writes every choice but the key; throws Error("Unable to write to <path>").
void savePrintChoices(const std::string& settingsPath, const PaperChoices& choices);

} // namespace quizloom::print
