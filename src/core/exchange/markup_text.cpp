#include "core/exchange/markup_text.h"

#include <array>
#include <charconv>

#include "core/text/cp1251.h"

namespace quizloom::exchange {

namespace {

constexpr std::size_t kMaxValueBytes = 2047;

// Tags that only format text; the first ones also break lines.
constexpr std::array<std::string_view, 5> kBreakTags = {"p", "br", "div", "pre", "hr"};
constexpr std::array<std::string_view, 16> kFormattingTags = {"b",      "strong", "i",   "em",  "u",   "s",
                                                              "strike", "del",    "ins", "sub", "sup", "span",
                                                              "font",   "small",  "big", "tt"};
constexpr std::array<std::string_view, 4> kCodeTags = {"code", "mark", "abbr", "q"};
constexpr std::array<std::string_view, 6> kImageTags = {"img", "picture", "svg", "image", "object", "embed"};

struct NamedReference {
    std::string_view name;
    std::string_view text;
};
constexpr std::array<NamedReference, 17> kReferences = {{
    {"amp", "&"},
    {"lt", "<"},
    {"gt", ">"},
    {"quot", "\""},
    {"apos", "'"},
    {"nbsp", " "},
    {"laquo", "«"},
    {"raquo", "»"},
    {"ndash", "–"},
    {"mdash", "—"},
    {"hellip", "…"},
    {"copy", "©"},
    {"reg", "®"},
    {"deg", "°"},
    {"plusmn", "±"},
    {"times", "×"},
    {"minus", "−"},
}};

template <std::size_t N> bool among(const std::array<std::string_view, N>& names, std::string_view name) {
    for (std::string_view entry : names)
        if (entry == name)
            return true;
    return false;
}

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// "&name;" or "&#123;" or "&#x7B;" at text[pos]: its text and length. Only
// the next 12 characters are looked at, so a text of many "&" is read once.
std::optional<std::pair<std::string, std::size_t>> reference(std::string_view text, std::size_t pos) {
    const std::size_t found = text.substr(pos, 13).find(';');
    if (found == std::string_view::npos)
        return std::nullopt;
    const std::size_t end = pos + found;
    const std::string_view body = text.substr(pos + 1, end - pos - 1);
    if (body.starts_with('#')) {
        const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
        const std::string_view digits = body.substr(hex ? 2 : 1);
        std::uint32_t cp = 0;
        const auto [ptr, ec] =
            std::from_chars(digits.data(), digits.data() + digits.size(), cp, hex ? 16 : 10);
        if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size() || cp > 0x10FFFF)
            return std::nullopt;
        std::string out;
        appendUtf8(out, static_cast<char32_t>(cp));
        return std::pair(out, end - pos + 1);
    }
    for (const NamedReference& entry : kReferences)
        if (entry.name == body)
            return std::pair(std::string(entry.text), end - pos + 1);
    return std::nullopt;
}

// Drops formatting, or says why the markup is more than that. The next ">"
// is remembered, so that many "<" without one are read in one pass.
std::optional<std::string> reduceMarkup(std::string_view html, std::string& out, bool& reduced) {
    std::size_t nextClose = 0;
    for (std::size_t i = 0; i < html.size();) {
        const char c = html[i];
        if (c == '<' && html.substr(i).starts_with("<!--")) {
            const std::size_t end = html.find("-->", i + 4);
            i = end == std::string_view::npos ? html.size() : end + 3;
            reduced = true;
        } else if (c == '<' && i + 1 < html.size() && (html[i + 1] == '/' || isNameChar(html[i + 1]))) {
            const std::size_t nameStart = i + (html[i + 1] == '/' ? 2 : 1);
            std::size_t nameEnd = nameStart;
            while (nameEnd < html.size() && isNameChar(html[nameEnd]))
                ++nameEnd;
            if (nextClose != std::string_view::npos && nextClose < nameEnd)
                nextClose = html.find('>', nameEnd);
            const std::size_t end = nextClose;
            if (end == std::string_view::npos) {
                out += c; // a lone "<" in text
                ++i;
                continue;
            }
            const std::string name = lowerAscii(html.substr(nameStart, nameEnd - nameStart));
            if (among(kImageTags, name))
                return "изображение";
            if (among(kBreakTags, name))
                out += ' ';
            else if (!among(kFormattingTags, name) && !among(kCodeTags, name))
                return "HTML-разметка сложнее форматирования текста (<" + name + ">)";
            reduced = true;
            i = end + 1;
        } else if (c == '&') {
            const auto decoded = reference(html, i);
            if (!decoded) {
                std::size_t semicolon = i + 1;
                while (semicolon < html.size() && (isNameChar(html[semicolon]) || html[semicolon] == '#'))
                    ++semicolon;
                if (semicolon < html.size() && html[semicolon] == ';' && semicolon > i + 1)
                    return "неизвестная ссылка на символ " + std::string(html.substr(i, semicolon - i + 1));
                out += c;
                ++i;
                continue;
            }
            out += decoded->first;
            i += decoded->second;
        } else {
            out += c;
            ++i;
        }
    }
    return std::nullopt;
}

// Runs of blanks holding a line break or tab become one blank; outer blanks go.
std::string oneLine(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        std::size_t end = i;
        if (blank(text[i])) {
            bool breaks = false;
            for (; end < text.size() && blank(text[end]); ++end)
                breaks = breaks || text[end] != ' ';
            if (i > 0 && end < text.size())
                out.append(breaks ? std::string_view(" ") : text.substr(i, end - i));
        } else {
            while (end < text.size() && !blank(text[end]))
                ++end;
            out.append(text.substr(i, end - i));
        }
        i = end;
    }
    return out;
}

// Why a one-line text cannot be a value of a test file, in one pass: each
// character is one byte there.
std::optional<std::string> valueRefusal(std::string_view utf8) {
    std::size_t bytes = 0;
    bool outsideCodePage = false;
    for (std::size_t pos = 0; pos < utf8.size(); ++bytes) {
        const auto byte = static_cast<unsigned char>(utf8[pos]);
        if (byte >= 0x20 && byte < 0x7F) { // most of a text, taken without decoding
            ++pos;
            continue;
        }
        const auto cp = nextCodePoint(utf8, pos);
        if (!cp || *cp < 0x20 || (*cp >= 0x7F && *cp <= 0x9F))
            return "управляющие символы в тексте";
        outsideCodePage = outsideCodePage || !codePointToCp1251(*cp);
    }
    if (outsideCodePage)
        return "символы, которых нет в кодовой странице Windows-1251";
    if (bytes > kMaxValueBytes)
        return "текст длиннее 2047 байт";
    return std::nullopt;
}

} // namespace

CleanText cleanText(const SourceText& source) {
    CleanText clean;
    // No markup or run of blanks makes a text this long fit a value.
    if (source.text.size() > kMaxQuestionBytes) {
        clean.refusal = "текст длиннее 2047 байт";
        return clean;
    }
    std::string text;
    if (source.markup == Markup::Html) {
        if (auto refusal = reduceMarkup(source.text, text, clean.markupReduced)) {
            clean.refusal = std::move(refusal);
            return clean;
        }
    } else {
        text = source.text;
    }
    clean.text = oneLine(text);
    clean.refusal = valueRefusal(clean.text);
    return clean;
}

} // namespace quizloom::exchange
