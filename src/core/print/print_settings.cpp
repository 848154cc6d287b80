#include "core/print/print_settings.h"

#include <algorithm>

#include "core/bank/settings.h"
#include "core/ini/profile_file.h"
#include "core/text/int_conv.h"

namespace quizloom::print {

namespace {

constexpr std::string_view kVariantsKey = "Варианты";
constexpr std::string_view kFontSizeKey = "Размер шрифта";

struct FlagKey {
    std::string_view key;
    bool PaperChoices::*flag;
};
constexpr FlagKey kFlagKeys[] = {
    {"Перемешать вопросы", &PaperChoices::shuffleQuestions},
    {"Перемешать варианты ответа", &PaperChoices::shuffleOptions},
    {"Лист ответов", &PaperChoices::answerKey},
    {"Строка для ученика", &PaperChoices::studentLine},
};

// A profile line holds neither a line break nor NUL.
std::string storable(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
    return text;
}

} // namespace

PaperChoices loadPrintChoices(const std::string& settingsPath) {
    PaperChoices choices;
    const ProfileFile file(settingsPath);
    choices.variants = file.readString(kPrintSection, kVariantsKey, choices.variants);
    for (const FlagKey& flag : kFlagKeys)
        choices.*flag.flag = file.readFlag(kPrintSection, flag.key, choices.*flag.flag);
    if (const auto size = tryStrToInt(file.readString(kPrintSection, kFontSizeKey, "")))
        choices.fontSize = std::clamp(static_cast<int>(*size), kMinFontSize, kMaxFontSize);
    return choices;
}

void savePrintChoices(const std::string& settingsPath, const PaperChoices& choices) {
    createSettingsFolder(settingsPath);
    ProfileFile file(settingsPath);
    file.writeString(kPrintSection, kVariantsKey, storable(choices.variants));
    for (const FlagKey& flag : kFlagKeys)
        file.writeFlag(kPrintSection, flag.key, choices.*flag.flag);
    file.writeString(kPrintSection, kFontSizeKey, std::to_string(choices.fontSize));
    file.release();
}

} // namespace quizloom::print
