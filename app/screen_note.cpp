// The note about the frame's screen in front of the program's status texts.
#include "app/screen_note.h"

#include "framework/program/status_bar.h"
#include "framework/program/window_system_hooks.h"
#include "platform/language/catalogue.h"
#include "runtime/trace.h"

#include <atomic>
#include <mutex>

namespace {

// The resolution the parameters were accepted for, and the screen's (0: not known).
std::atomic<int32_t> g_accepted_nx{0};
std::atomic<int32_t> g_accepted_ny{0};
std::atomic<int32_t> g_screen_width{0};
std::atomic<int32_t> g_screen_height{0};
std::atomic<bool> g_window_small{false};

// The program's last status text, shown again behind a new note.
std::mutex g_text_mutex;
std::string g_text;

std::string resolution_text(int32_t width, int32_t height) {
    return std::to_string(width) + " × " + std::to_string(height);
}

} // namespace

std::string app_screen_note(int32_t screen_width, int32_t screen_height, int32_t nx, int32_t ny) {
    if (screen_width <= 0 || screen_height <= 0 || nx <= 0 || ny <= 0 ||
        (screen_width == nx && screen_height == ny))
        return {};
    return language::fill_in(
        language::translate("status bar",
                            "Окно на экране %1, а параметры введены для %2: кольца будут не "
                            "своего размера."),
        {resolution_text(screen_width, screen_height), resolution_text(nx, ny)});
}

void app_watch_screen(int32_t nx, int32_t ny) {
    g_accepted_nx.store(nx);
    g_accepted_ny.store(ny);
    gw_register_screen_callback(app_note_screen);
}

void app_note_screen(const GwScreenFacts& screen) {
    g_screen_width.store(screen.width_px, std::memory_order_relaxed);
    g_screen_height.store(screen.height_px, std::memory_order_relaxed);
    const bool agrees = app_screen_note(screen.width_px, screen.height_px, g_accepted_nx.load(),
                                        g_accepted_ny.load())
                            .empty();
    rt_trace_event(
        "screen",
        {{"width", screen.width_px}, {"height", screen.height_px}, {"agrees", agrees ? 1 : 0}});
    std::string text;
    {
        std::lock_guard lock(g_text_mutex);
        text = g_text;
    }
    app_show_status(text);
}

void app_show_start_screen_status(const std::string& geometry) {
    const std::string controls =
        language::translate("status bar", "Левая кнопка мыши или клавиша ←: тренировка; правая "
                                          "или →: проверка зрения; обе кнопки: выход.");
    const std::string text = geometry.empty() ? controls : geometry + ". " + controls;
    {
        std::lock_guard lock(g_text_mutex);
        if (g_text == text)
            return;
    }
    app_show_status(text);
}

void app_note_window_small(bool small) {
    if (g_window_small.exchange(small) == small)
        return;
    std::string text;
    {
        std::lock_guard lock(g_text_mutex);
        text = g_text;
    }
    app_show_status(text);
}

void app_show_status(const std::string& text) {
    std::string shown;
    const auto add = [&shown](const std::string& part) {
        if (!part.empty())
            shown += (shown.empty() ? "" : " ") + part;
    };
    if (g_window_small.load())
        add(language::translate("status bar", "Окно мало для картинки, проверка и тренировка "
                                              "стоят: растяните окно или разверните его."));
    add(app_screen_note(g_screen_width.load(), g_screen_height.load(), g_accepted_nx.load(),
                        g_accepted_ny.load()));
    std::lock_guard lock(g_text_mutex);
    g_text = text;
    add(text);
    gw_set_status_message(shown.c_str());
}
