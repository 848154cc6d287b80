#pragma once
// The three question formats of learning platforms that a bank is exported
// to and imported from. Their documents are UTF-8.
#include <optional>
#include <string_view>

namespace quizloom::exchange {

enum class Format { MoodleXml, Gift, Aiken };

// Level 1 questions travel as multiple choice, level 2 as short answer.
enum class QuestionKind { MultipleChoice, ShortAnswer };

// "Moodle XML", "GIFT", "Aiken": the names messages give the formats.
std::string_view formatTitle(Format format);
// "moodle-xml", "gift", "aiken": the names the command line takes.
std::string_view formatName(Format format);
std::optional<Format> formatFromName(std::string_view name);
// What a file dialog offers and appends: ".xml", ".gift", ".txt".
std::string_view fileExtension(Format format);
// "Moodle XML (*.xml)", "GIFT (*.gift *.txt)", "Aiken (*.txt)".
std::string_view fileDialogFilter(Format format);

} // namespace quizloom::exchange
