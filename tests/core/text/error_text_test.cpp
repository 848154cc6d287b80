#include "core/text/error_text.h"

#include <gtest/gtest.h>

namespace quizloom {
namespace {

// A full stop follows exactly the characters whose code-page byte sorts after ".".
TEST(ErrorBoxText, FullStopFollowsCharactersAfterTheDot) {
    EXPECT_EQ(errorBoxText("Unable to write to /a/b.INI"), "Unable to write to /a/b.INI.");
    EXPECT_EQ(errorBoxText("'x' is not a valid integer value"), "'x' is not a valid integer value.");
    EXPECT_EQ(errorBoxText("Ошибка"), "Ошибка.");   // Cyrillic: upper half
    EXPECT_EQ(errorBoxText("path /"), "path /.");   // 0x2F
    EXPECT_EQ(errorBoxText("value 0"), "value 0."); // 0x30
    EXPECT_EQ(errorBoxText("Done."), "Done.");      // 0x2E itself
    EXPECT_EQ(errorBoxText("Stop!"), "Stop!");
    EXPECT_EQ(errorBoxText("a-"), "a-"); // 0x2D
    EXPECT_EQ(errorBoxText("(x)"), "(x)");
    EXPECT_EQ(errorBoxText(""), "");
}

} // namespace
} // namespace quizloom
