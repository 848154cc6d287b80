#include "core/print/variant_choice.h"

#include <algorithm>
#include <string>

#include "core/text/case_fold.h"
#include "core/text/error.h"

namespace quizloom::print {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string quoted(std::string_view text) {
    return "«" + std::string(text) + "»";
}

// A variant number: decimal digits only, within the test.
int variantNumber(std::string_view text, std::string_view item, int variantCount) {
    text = trimmed(text);
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        throw Error("Не понят номер варианта " + quoted(item));
    const int number = std::stoi(std::string(text));
    if (number < 1 || number > variantCount)
        throw Error("В тесте нет варианта " + std::to_string(number) + ": вариантов всего " +
                    std::to_string(variantCount));
    return number;
}

void add(std::vector<int>& chosen, int variant) {
    if (std::find(chosen.begin(), chosen.end(), variant) != chosen.end())
        throw Error("Вариант " + std::to_string(variant) + " указан дважды");
    chosen.push_back(variant);
}

void addItem(std::vector<int>& chosen, std::string_view item, int variantCount) {
    constexpr std::string_view kDashes[] = {"-", "–"};
    for (std::string_view dash : kDashes) {
        const std::size_t at = item.find(dash);
        if (at == std::string_view::npos)
            continue;
        const int first = variantNumber(item.substr(0, at), item, variantCount);
        const int last = variantNumber(item.substr(at + dash.size()), item, variantCount);
        if (first > last)
            throw Error("Диапазон вариантов " + quoted(item) + " идёт от большего номера к меньшему");
        for (int variant = first; variant <= last; ++variant)
            add(chosen, variant);
        return;
    }
    add(chosen, variantNumber(item, item, variantCount));
}

} // namespace

std::vector<int> chosenVariants(std::string_view text, int current, int variantCount) {
    text = trimmed(text);
    const std::string word = utf8ToLowerCp1251(text);
    if (word == kCurrentVariant) {
        if (current < 1 || current > variantCount)
            throw Error("В тесте нет варианта " + std::to_string(current) + ": вариантов всего " +
                        std::to_string(variantCount));
        return {current};
    }
    std::vector<int> chosen;
    if (word == kAllVariants) {
        for (int variant = 1; variant <= variantCount; ++variant)
            chosen.push_back(variant);
        return chosen;
    }
    if (text.empty())
        throw Error("Не указаны варианты для печати");
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos)
            comma = text.size();
        const std::string_view item = trimmed(text.substr(start, comma - start));
        if (item.empty())
            throw Error("Пустой элемент в списке вариантов " + quoted(text));
        addItem(chosen, item, variantCount);
        start = comma + 1;
    }
    return chosen;
}

} // namespace quizloom::print
