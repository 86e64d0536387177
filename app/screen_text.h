// The texts of the activities' result screens: fonts chosen by description, texts written with a
// format into an 80-character buffer and drawn with their exact length, and the prompt to go on.
#pragma once

#include "runtime/format.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

inline constexpr std::string_view APP_TEXT_FONT = "t'Times New Roman Cyr'h38w17ib";
inline constexpr std::string_view APP_NUMBER_FONT = "t'Times New Roman Cyr'h120w40ib";

// Makes the font the description asks for the active window's current font.
void app_select_font(std::string_view spec);

// Writes the values with the format into an 80-character buffer and draws its first `length`
// characters in the current font and colour, the top left of the first at (x, y).
void app_draw_text(int32_t x, int32_t y, const RtFormat& format,
                   std::initializer_list<RtValue> values, int32_t length);

// Draws a UTF-8 text (every character in CP1251) whole in the current font and colour, the top
// left of the first character at (x, y).
void app_draw_utf8_text(int32_t x, int32_t y, std::string_view text);

// A text in the run's language, quoted as a format's literal ("('...')", a quote doubled).
std::string app_quoted_text(const char* context, const char* russian);

// How many characters to draw of a text that was `length` characters long in Russian, now that
// it reads `shown`: as many more or fewer as the shown text is longer or shorter than the Russian
// one, so that the blanks after it and a value before it keep their places; at most 80, the
// buffer's length. The Russian text itself keeps exactly its length.
int32_t app_shown_length(std::string_view russian, std::string_view shown, int32_t length);

// "Для продолжения нажмите любую кнопку мыши" in blue at (60, 550), under every result.
void app_draw_click_prompt();
