#include "core/exchange/xml_encoding.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "core/exchange/source_model.h"
#include "core/text/case_fold.h"
#include "core/text/cp1251.h"

namespace quizloom::exchange {

namespace {

constexpr std::string_view kTitle = "Moodle XML";

// Spellings pugixml decodes; any other declared encoding would be read as
// UTF-8 and its letters taken for broken text.
constexpr std::string_view kDecoded[] = {"utf-8", "utf8",       "utf-16", "utf16",      "us-ascii",
                                         "ascii", "iso-8859-1", "latin1", "iso_8859-1", "latin-1"};

enum class ByteOrder { Little, Big };

std::optional<ByteOrder> utf16Order(std::string_view d) {
    const auto starts = [&](std::string_view bytes) { return d.starts_with(bytes); };
    using namespace std::string_view_literals;
    if (starts("\xFF\xFE\0\0"sv) || starts("\0\0\xFE\xFF"sv))
        return std::nullopt; // UTF-32, which the parser decodes on its own
    if (starts("\xFF\xFE"sv) || starts("<\0"sv))
        return ByteOrder::Little;
    if (starts("\xFE\xFF"sv) || starts("\0<"sv))
        return ByteOrder::Big;
    return std::nullopt;
}

std::string utf16ToUtf8(std::string_view d, ByteOrder order) {
    std::string out;
    out.reserve(d.size());
    int line = 1;
    const auto unitAt = [&](std::size_t at) -> std::uint32_t {
        const auto first = static_cast<unsigned char>(d[at]), second = static_cast<unsigned char>(d[at + 1]);
        return order == ByteOrder::Little ? first | second << 8 : first << 8 | second;
    };
    std::size_t at = d.starts_with("\xFF\xFE") || d.starts_with("\xFE\xFF") ? 2 : 0;
    for (; at + 1 < d.size(); at += 2) {
        std::uint32_t code = unitAt(at);
        if (code >= 0xD800 && code < 0xDC00 && at + 3 < d.size() && unitAt(at + 2) >= 0xDC00 &&
            unitAt(at + 2) < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unitAt(at + 2) - 0xDC00);
            at += 2;
        } else if (code >= 0xD800 && code < 0xE000) {
            malformed(kTitle, line, "не текст UTF-16");
        }
        line += code == '\n';
        appendUtf8(out, static_cast<char32_t>(code));
    }
    if (at < d.size())
        malformed(kTitle, line, "не текст UTF-16");
    return out;
}

} // namespace

std::string_view declaredXmlEncoding(std::string_view document) {
    if (document.starts_with("\xEF\xBB\xBF"))
        document.remove_prefix(3);
    if (!document.starts_with("<?xml"))
        return {};
    const std::string_view declaration = document.substr(0, document.find("?>"));
    std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos)
        return {};
    at = declaration.find_first_not_of(" \t\r\n", at + 8);
    if (at == std::string_view::npos || declaration[at] != '=')
        return {};
    at = declaration.find_first_not_of(" \t\r\n", at + 1);
    if (at == std::string_view::npos || (declaration[at] != '"' && declaration[at] != '\''))
        return {};
    const std::size_t end = declaration.find(declaration[at], at + 1);
    return end == std::string_view::npos ? std::string_view() : declaration.substr(at + 1, end - at - 1);
}

std::string_view xmlAsUtf8(std::string_view document, std::string& storage) {
    if (const auto order = utf16Order(document)) {
        storage = utf16ToUtf8(document, *order);
        return storage;
    }
    const std::string_view declared = declaredXmlEncoding(document);
    const std::string folded = cp1251ToLower(declared);
    if (!declared.empty() &&
        std::find(std::begin(kDecoded), std::end(kDecoded), folded) == std::end(kDecoded))
        malformed(kTitle, 1,
                  "кодировка «" + std::string(declared) + "» не поддерживается: сохраните файл в UTF-8");
    return document;
}

} // namespace quizloom::exchange
