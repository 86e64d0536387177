// The predefined menu routines and the built-in commands they stand for.
#include "framework/program/predefined_routines.h"

#include <array>

namespace {

struct Predefined {
    gw_menu_routine routine;
    int32_t command;
};

const std::array<Predefined, 20> PREDEFINED = {{
    {gw_menu_print, 1019},
    {gw_menu_save, 1020},
    {gw_menu_exit, 1000},
    {gw_menu_select_text, 1001},
    {gw_menu_select_graphics, 1002},
    {gw_menu_select_all, 1003},
    {gw_menu_copy, 1004},
    {gw_menu_paste, 1021},
    {gw_menu_size_to_fit, 1006},
    {gw_menu_full_screen, 1007},
    {gw_menu_pause, 1008},
    {gw_menu_cascade, 1010},
    {gw_menu_tile, 1011},
    {gw_menu_arrange_icons, 1012},
    {gw_menu_input, 1023},
    {gw_menu_clear_paste, 1022},
    {gw_menu_status_bar, 1015},
    {gw_menu_contents, 1016},
    {gw_menu_using_help, 1017},
    {gw_menu_about, 1018},
}};

// Built-in commands whose items change state at run time: their presence is tracked.
const std::set<int32_t> TRACKED = {1000, 1001, 1002, 1003, 1004, 1006,
                                   1008, 1015, 1021, 1022, 1023};

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
