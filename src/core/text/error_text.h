#pragma once
// The text of the application's error box.
#include <string>
#include <string_view>

namespace quizloom {

// message (UTF-8) with a full stop appended when its last character sorts
// after "." in Windows-1251, as the error box shows it.
std::string errorBoxText(std::string_view message);

} // namespace quizloom
