// The variants a teacher names for printing, and the texts refused.
#include "core/print/variant_choice.h"

#include <gtest/gtest.h>

#include "core/text/error.h"

namespace quizloom::print {
namespace {

struct Accepted {
    const char* text;
    std::vector<int> variants;
};

TEST(VariantChoice, NamesTheVariantsInTheOrderWritten) {
    // A test of 6 variants showing variant 4.
    const Accepted cases[] = {
        {"текущий", {4}},
        {"  ТЕКУЩИЙ ", {4}},
        {"все", {1, 2, 3, 4, 5, 6}},
        {"Все", {1, 2, 3, 4, 5, 6}},
        {"2", {2}},
        {"1, 3-5", {1, 3, 4, 5}},
        {"6,1", {6, 1}},
        {" 2 - 3 ,5", {2, 3, 5}},
        {"1–2", {1, 2}},
        {"3-3", {3}},
    };
    for (const Accepted& c : cases)
        EXPECT_EQ(chosenVariants(c.text, 4, 6), c.variants) << c.text;
}

struct Refused {
    const char* text;
    const char* message;
};

TEST(VariantChoice, RefusesWhatDoesNotNameVariantsOfTheTest) {
    const Refused cases[] = {
        {"", "Не указаны варианты для печати"},
        {"   ", "Не указаны варианты для печати"},
        {"0", "В тесте нет варианта 0: вариантов всего 6"},
        {"7", "В тесте нет варианта 7: вариантов всего 6"},
        {"2-9", "В тесте нет варианта 9: вариантов всего 6"},
        {"5-3", "Диапазон вариантов «5-3» идёт от большего номера к меньшему"},
        {"1, 2, 1", "Вариант 1 указан дважды"},
        {"1-3, 2", "Вариант 2 указан дважды"},
        {"1,,2", "Пустой элемент в списке вариантов «1,,2»"},
        {"1,", "Пустой элемент в списке вариантов «1,»"},
        {"первый", "Не понят номер варианта «первый»"},
        {"-2", "Не понят номер варианта «-2»"},
        {"+2", "Не понят номер варианта «+2»"},
        {"1-2-3", "Не понят номер варианта «1-2-3»"},
        {"99999999999", "Не понят номер варианта «99999999999»"},
    };
    for (const Refused& c : cases) {
        try {
            chosenVariants(c.text, 4, 6);
            ADD_FAILURE() << "accepted " << c.text;
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), c.message) << c.text;
        }
    }
}

TEST(VariantChoice, TheCurrentVariantMustBeOneOfTheTest) {
    EXPECT_THROW(chosenVariants("текущий", 7, 6), Error);
    EXPECT_EQ(chosenVariants("текущий", 1, 1), std::vector<int>{1});
}

} // namespace
} // namespace quizloom::print
