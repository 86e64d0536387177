// Text output into child windows: runs on the text grid, wrapping, scrolling, store and caret.
#include "framework/terminal/text_output.h"

#include "framework/graphics/active_surface.h"
#include "runtime/cp1251.h"
#include "runtime/trace.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// The Unicode character of each CP1251 byte, one for one, so that a run of n bytes covers n
// cells.
std::u32string cell_characters(std::string_view text) {
    std::u32string characters;
    characters.reserve(text.size());
    for (const char byte : text) {
        const std::string utf8 = cp1251_to_utf8(std::string_view(&byte, 1));
        const auto lead = static_cast<unsigned char>(utf8[0]);
        const size_t size = utf8.size();
        char32_t ch = size == 1 ? lead : lead & (0x7F >> size);
        for (size_t k = 1; k < size; ++k)
            ch = ch << 6 | (static_cast<unsigned char>(utf8[k]) & 0x3F);
        characters.push_back(ch);
    }
    return characters;
}

// Writes into one window's surface, which the caller holds.
class TextWriter {
public:
    TextWriter(framework::SurfaceAccess& access, gw_child_window& window)
        : m_access(access), m_grid(window.text_grid), m_text(window.text_window) {
        const framework::Palette& palette = access.palette();
        m_foreground = palette.entry_color(static_cast<uint32_t>(m_text.text_color_index));
        m_background = palette.entry_color(static_cast<uint32_t>(m_text.background_index));
        // The text window's pixels: from ((left - 1) x cell width, (top - 1) x cell height) to
        // (right x cell width, bottom x cell height), inside the surface.
        m_clip = raster::Rect{(m_text.left - 1) * m_grid.cell_width,
                              (m_text.top - 1) * m_grid.cell_height,
                              m_text.right * m_grid.cell_width, m_text.bottom * m_grid.cell_height}
                     .intersected(access.bitmap().bounds());
    }

    void write(std::string_view text) {
        const int32_t width = m_text.right - m_text.left + 1;
        const int32_t height = m_text.bottom - m_text.top + 1;
        if (width < 1 || height < 1)
            return;
        while (true) {
            const size_t line_end = std::min(text.find_first_of("\r\n"), text.size());
            size_t length = line_end;
            bool wrapped = false;
            if (m_text.wrap) {
                const auto room =
                    static_cast<size_t>(std::max(width - m_text.cursor_column + 1, 0));
                if (length >= room) {
                    length = room;
                    wrapped = true;
                }
            }
            draw_run(text.substr(0, length));
            text.remove_prefix(length);
            if (text.empty() && !wrapped)
                return;
            m_text.cursor_column = 1;
            const bool carriage_return = !wrapped && text.front() == '\r';
            if (!carriage_return)
                next_row(height);
            if (!wrapped)
                text.remove_prefix(1);
        }
    }

private:
    // Draws a run at the cursor over its cells' background, stores it and moves the cursor on.
    void draw_run(std::string_view run) {
        if (run.empty())
            return;
        const int32_t cell_width = m_grid.cell_width;
        const int32_t cell_height = m_grid.cell_height;
        const int32_t column = m_text.cursor_column + m_text.left - 1; // in the grid
        const int32_t row = m_text.cursor_row + m_text.top - 1;
        const auto count = static_cast<int32_t>(run.size());
        const raster::Point corner{(column - 1) * cell_width, (row - 1) * cell_height};
        const raster::Rect cells =
            raster::Rect{corner.x, corner.y, corner.x + count * cell_width, corner.y + cell_height}
                .intersected(m_clip);
        fill(cells, m_background);
        if (m_grid.font) {
            const std::u32string characters = cell_characters(run);
            // A font whose width is off the cell gets one cell per character, so that text stays
            // on the grid.
            if (m_grid.font->metrics().average_char_width == cell_width) {
                m_grid.font->draw(m_access.bitmap(), m_clip, corner, m_foreground, characters);
            } else {
                for (int32_t i = 0; i < count; ++i)
                    m_grid.font->draw(
                        m_access.bitmap(), m_clip, {corner.x + i * cell_width, corner.y},
                        m_foreground,
                        std::u32string_view(characters).substr(static_cast<size_t>(i), 1));
            }
        }
        m_access.mark_changed(cells);
        if (column <= m_text.right)
            framework::store_text_run(
                m_text,
                {row, column, std::min(column + count - 1, m_text.right), std::string(run)});
        m_text.cursor_column += count;
    }

    // Moves the cursor down a row; on the last row the text window scrolls up instead.
    void next_row(int32_t height) {
        if (m_text.cursor_row < height) {
            ++m_text.cursor_row;
            return;
        }
        m_text.cursor_row = height;
        const int32_t step = m_grid.cell_height;
        raster::Bitmap& bitmap = m_access.bitmap();
        const auto span = static_cast<size_t>(std::max(m_clip.width(), 0));
        for (int32_t y = m_clip.top; y + step < m_clip.bottom; ++y)
            std::memmove(bitmap.row(y) + m_clip.left, bitmap.row(y + step) + m_clip.left,
                         span * sizeof(raster::Pixel));
        fill({m_clip.left, std::max(m_clip.bottom - step, m_clip.top), m_clip.right, m_clip.bottom},
             m_background);
        m_access.mark_changed(m_clip);
        framework::scroll_text_store(m_text);
    }

    void fill(const raster::Rect& area, raster::ColorRef color) {
        if (area.is_empty())
            return;
        const raster::Pixel pixel = raster::pixel_from_colorref(color);
        for (int32_t y = area.top; y < area.bottom; ++y)
            std::fill(m_access.bitmap().row(y) + area.left, m_access.bitmap().row(y) + area.right,
                      pixel);
    }

    framework::SurfaceAccess& m_access;
    const framework::TextGrid& m_grid;
    framework::TextWindow& m_text;
    raster::ColorRef m_foreground = 0;
    raster::ColorRef m_background = 0;
    raster::Rect m_clip;
};

// The caret is a bar this many pixels wide at the left edge of the cursor's cell, where the next
// character goes; a narrower cell is covered whole.
constexpr int32_t CARET_WIDTH = 2;

// The caret at the text cursor: the cell at pixel ((column + left - 2) x cell width,
// (row + top - 2) x cell height), as a run written there would be placed. A cursor outside the
// text window (past its right column while wrapping is off) has no cell, and the caret stays
// hidden.
framework::TextCaret caret_at_cursor(const framework::TextGrid& grid,
                                     const framework::TextWindow& text) {
    const int32_t width = text.right - text.left + 1;
    const int32_t height = text.bottom - text.top + 1;
    if (text.cursor_column < 1 || text.cursor_column > width || text.cursor_row < 1 ||
        text.cursor_row > height)
        return {};
    return {true, (text.cursor_column + text.left - 2) * grid.cell_width,
            (text.cursor_row + text.top - 2) * grid.cell_height,
            std::min(CARET_WIDTH, grid.cell_width), grid.cell_height};
}

// The caret moves to the cursor when the text has been written, under the surface lock, which a
// repaint needs as well, so no repaint can show it over a half-written text; the window system is
// told once, at the end, and only of a change.
void write_at_caret(framework::SurfaceAccess& access, gw_child_window& window,
                    std::string_view text) {
    framework::TextWindow& text_window = window.text_window;
    const framework::TextCaret before = text_window.caret;
    TextWriter(access, window).write(text);
    text_window.caret = caret_at_cursor(window.text_grid, text_window);
    if (text_window.caret == before)
        return;
    if (const auto& caret_changed = framework::window_system_hooks().caret_changed)
        caret_changed(window.number, text_window.caret);
}

int32_t output_text(std::string_view text) {
    int32_t window_number = 0;
    {
        framework::ActiveSurface surface;
        if (!surface)
            return 0;
        window_number = surface.window().number;
        write_at_caret(*surface, surface.window(), text);
    }
    rt_trace_event("text", {{"window", window_number}, {"text", cp1251_to_utf8(text)}});
    return 1;
}

} // namespace

int32_t gw_output_text(const char* text) {
    if (!text) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return 0;
    }
    return output_text(text);
}

int32_t gw_write_text(const char* text, int32_t length, int32_t window_number) {
    gw_child_window* window = gw_find_window(window_number);
    if (!window || window->slot_state() != WindowSlotState::open || length < 0 ||
        (!text && length > 0))
        return -1;
    const int16_t status = gw_get_status();
    const int32_t previous = framework::thread_active_window();
    framework::set_thread_active_window(window_number);
    const std::string_view written =
        length == 0 ? std::string_view(" ") : std::string_view(text, static_cast<size_t>(length));
    const int32_t result = output_text(written);
    if (!framework::is_unit_window(*window))
        framework::set_thread_active_window(previous);
    framework::set_graphics_status(status);
    return result == 1 ? length : -1;
}
