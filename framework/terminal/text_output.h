// Text output into child windows: the window as a character terminal on its text grid.
#pragma once

#include <cstdint>

// Writes `length` bytes of CP1251 text at the text cursor of window `window_number`, as
// gw_output_text does; an empty text is written as one blank. The calling thread's active
// window is the target for the call and goes back to what it was afterwards, unless the target
// is a unit's window (which keeps the focus); the graphics status is left as it was. Result
// `length`, or -1 for a bad window number, a window that is not open or a text that could not
// be written. Thread-safe.
int32_t gw_write_text(const char* text, int32_t length, int32_t window_number);

// Writes a NUL-terminated CP1251 text at the text cursor of the calling thread's active window
// (configured first when it has no configuration), in its text colour on its background colour,
// clipped to the text window, each character on one cell. A run of text ends at a carriage
// return, at a line feed, at the end of the text and, while wrapping is on, at the text window's
// right column. After a run the cursor goes to column 1, and to the next row unless the run
// ended at a carriage return; below the text window's last row the text window scrolls up by
// one row and its freed row takes the background colour, so a carriage return and a line feed
// make one new line. At the end the window's caret is shown at the cursor's cell (hidden when the
// cursor is past the right column). Result 1, or 0 with graphics status -1 when there is no window
// to write into. Writes the trace event `text` (the window and the text).
int32_t gw_output_text(const char* text);
