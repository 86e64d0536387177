// The instruction text shown by the menu command "Инструкция".
#pragma once

#include <string>
#include <string_view>

// The framework's About box takes at most this many characters.
inline constexpr size_t APP_ABOUT_TEXT_LIMIT = 512;

// The paragraphs in CP1251, separated by single carriage returns (an empty paragraph gives a
// blank line), without a final one.
std::string app_instruction_text();
