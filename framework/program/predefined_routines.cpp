// The predefined menu routines and the built-in commands they stand for.
#include "framework/program/predefined_routines.h"

#include <array>

namespace {

struct Predefined {
    gw_menu_routine routine;
    int32_t command;
};

const std::array<Predefined, 20> PREDEFINED = {{
    {gw_menu_print, framework::COMMAND_PRINT},
    {gw_menu_save, framework::COMMAND_SAVE},
    {gw_menu_exit, framework::COMMAND_EXIT},
    {gw_menu_select_text, framework::COMMAND_SELECT_TEXT},
    {gw_menu_select_graphics, framework::COMMAND_SELECT_GRAPHICS},
    {gw_menu_select_all, framework::COMMAND_SELECT_ALL},
    {gw_menu_copy, framework::COMMAND_COPY},
    {gw_menu_paste, framework::COMMAND_PASTE},
    {gw_menu_size_to_fit, framework::COMMAND_SIZE_TO_FIT},
    {gw_menu_full_screen, framework::COMMAND_FULL_SCREEN},
    {gw_menu_pause, framework::COMMAND_PAUSE},
    {gw_menu_cascade, framework::COMMAND_CASCADE},
    {gw_menu_tile, framework::COMMAND_TILE},
    {gw_menu_arrange_icons, framework::COMMAND_ARRANGE_ICONS},
    {gw_menu_input, framework::COMMAND_INPUT},
    {gw_menu_clear_paste, framework::COMMAND_CLEAR_PASTE},
    {gw_menu_status_bar, framework::COMMAND_STATUS_BAR},
    {gw_menu_contents, framework::COMMAND_HELP_CONTENTS},
    {gw_menu_using_help, framework::COMMAND_USING_HELP},
    {gw_menu_about, framework::COMMAND_ABOUT},
}};

// Built-in commands whose items change state at run time: their presence is tracked.
const std::set<int32_t> TRACKED = {framework::COMMAND_EXIT,
                                   framework::COMMAND_SELECT_TEXT,
                                   framework::COMMAND_SELECT_GRAPHICS,
                                   framework::COMMAND_SELECT_ALL,
                                   framework::COMMAND_COPY,
                                   framework::COMMAND_SIZE_TO_FIT,
                                   framework::COMMAND_PAUSE,
                                   framework::COMMAND_STATUS_BAR,
                                   framework::COMMAND_PASTE,
                                   framework::COMMAND_CLEAR_PASTE,
                                   framework::COMMAND_INPUT};

} // namespace

int32_t gw_menu_print(int32_t) {
    return 0;
}
int32_t gw_menu_save(int32_t) {
    return 0;
}
int32_t gw_menu_exit(int32_t) {
    return 0;
}
int32_t gw_menu_select_text(int32_t) {
    return 0;
}
int32_t gw_menu_select_graphics(int32_t) {
    return 0;
}
int32_t gw_menu_select_all(int32_t) {
    return 0;
}
int32_t gw_menu_copy(int32_t) {
    return 0;
}
int32_t gw_menu_paste(int32_t) {
    return 0;
}
int32_t gw_menu_size_to_fit(int32_t) {
    return 0;
}
int32_t gw_menu_full_screen(int32_t) {
    return 0;
}
int32_t gw_menu_pause(int32_t) {
    return 0;
}
int32_t gw_menu_cascade(int32_t) {
    return 0;
}
int32_t gw_menu_tile(int32_t) {
    return 0;
}
int32_t gw_menu_arrange_icons(int32_t) {
    return 0;
}
int32_t gw_menu_input(int32_t) {
    return 0;
}
int32_t gw_menu_clear_paste(int32_t) {
    return 0;
}
int32_t gw_menu_status_bar(int32_t) {
    return 0;
}
int32_t gw_menu_contents(int32_t) {
    return 0;
}
int32_t gw_menu_using_help(int32_t) {
    return 0;
}
int32_t gw_menu_about(int32_t) {
    return 0;
}

namespace framework {

int32_t predefined_command(gw_menu_routine routine) {
    for (const Predefined& entry : PREDEFINED)
        if (entry.routine == routine)
            return entry.command;
    return 0;
}

bool is_tracked_command(int32_t command) {
    return TRACKED.count(command) != 0;
}

std::set<int32_t> tracked_commands() {
    return TRACKED;
}

} // namespace framework
