#include "core/exchange/exchange_format.h"

#include <array>

namespace quizloom::exchange {

namespace {

struct FormatInfo {
    Format format;
    std::string_view title;
    std::string_view name;
    std::string_view extension;
    std::string_view filter;
};

constexpr std::array<FormatInfo, 3> kFormats = {{
    {Format::MoodleXml, "Moodle XML", "moodle-xml", ".xml", "Moodle XML (*.xml)"},
    {Format::Gift, "GIFT", "gift", ".gift", "GIFT (*.gift *.txt)"},
    {Format::Aiken, "Aiken", "aiken", ".txt", "Aiken (*.txt)"},
}};

const FormatInfo& info(Format format) {
    for (const FormatInfo& entry : kFormats)
        if (entry.format == format)
            return entry;
    return kFormats.front();
}

} // namespace

std::string_view formatTitle(Format format) {
    return info(format).title;
}
std::string_view formatName(Format format) {
    return info(format).name;
}
std::string_view fileExtension(Format format) {
    return info(format).extension;
}
std::string_view fileDialogFilter(Format format) {
    return info(format).filter;
}

std::optional<Format> formatFromName(std::string_view name) {
    for (const FormatInfo& entry : kFormats)
        if (entry.name == name)
            return entry.format;
    return std::nullopt;
}

} // namespace quizloom::exchange
