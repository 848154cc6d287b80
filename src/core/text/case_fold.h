#pragma once
// Letter case of the code page: Latin A-Z, Cyrillic А-Я and Ё, and the other
// paired letters of Windows-1251.
#include <array>
#include <string>
#include <string_view>

namespace quizloom {

unsigned char cp1251ToLower(unsigned char byte);
// The same folding as a table, for loops that fold every byte of a file.
const std::array<unsigned char, 256>& cp1251LowerTable();
std::string cp1251ToLower(std::string_view bytes);
bool cp1251EqualNoCase(std::string_view a, std::string_view b);
// The same folding applied to UTF-8 text (through the code page).
std::string utf8ToLowerCp1251(std::string_view utf8);

} // namespace quizloom
