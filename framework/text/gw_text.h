// The gw_ graphic-text family: the font table, font selection by description string, text
// orientation, and drawing and measuring text in the calling thread's active window.
//
// Texts are CP1251 bytes with a length. Every routine first resets the graphics status (as the
// graphics family does). Thread-safe; the font table, the orientation and the style flags are
// process-wide.
#pragma once

#include <cstdint>

// Builds the font table on first use (later calls only give the active window a font: the last
// table entry at its own size) and gives the active window its current font. Result: the number
// of table entries; 0 when the enumeration or the font creation failed or the table is empty;
// -1 without an active window.
int16_t gw_init_fonts();
// As gw_init_fonts; the name is copied and not used. -1 when it cannot be copied.
int16_t gw_init_fonts_named(const char* name, int32_t length);

// Selects the font a description string asks for as the active window's current font (grammar
// in framework/text/font_description.h; trailing blanks ignored). Result: the table number
// (index + 1) of the font, or -1 with status -1 (no candidate, no current font, creation
// failed), -4 (t without an apostrophe) or -1 (unterminated or too long face name).
// Contradictory letters leave status 3.
int16_t gw_select_font(const char* spec, int32_t length);

// Deletes the active window's current font; selections fail in that window until gw_init_fonts.
void gw_release_font();

// Tenths of a degree counter-clockwise, kept as the remainder of 3600 with the angle's sign.
// Re-creates the current font turned. Nothing happens before the fonts are initialised; a
// raster current font cannot turn (status -1).
void gw_set_text_orientation(int32_t angle);
// The angle last requested in tenths of a degree; after gw_set_text_direction the direction's
// angle in whole degrees (0, 45, ..., 315).
int32_t gw_get_text_orientation();
// Turns text along the direction of the signs of (dx, dy), y upwards: (1, 0) 0, (1, 1) 450,
// (0, 1) 900 ... (1, -1) 3150. (0, 0) changes nothing. Result: the previous direction packed
// as dy << 16 | dx (16 bits each).
int32_t gw_set_text_direction(int32_t dx, int32_t dy);
void gw_get_text_direction(int32_t* dx, int32_t* dy);

// Draws the text (trailing blanks kept) in the graphics colour with the top-left corner of its
// first character cell at the current position, then advances the position along x by the
// text's width, also for turned text. Status 1 without a current font; status 2 when the text
// reaches past the right or bottom edge of the clip rectangle, which cuts it.
void gw_draw_text(const char* text, int32_t length);

// The width in pixels of the text in the current font; -1 without a window or a font.
int16_t gw_get_text_extent(const char* text, int32_t length);

struct gw_font_info {
    int32_t kind = 0; // 1 scalable, 0 raster
    int32_t ascent = 0;
    int32_t cell_width = 0; // 0 for proportional fonts
    int32_t cell_height = 0;
    int32_t average_width = 0;
    char file_name[81] = {}; // always empty
    char face[32] = {};
    uint8_t italic = 0;
    uint8_t bold = 0;
    uint8_t underline = 0;
};

// Fills the record from the active window's current font. Result 0, or -1 without a window or
// a font.
int32_t gw_get_font_info(gw_font_info* info);
