// The application's start: the hook the framework calls before the frame exists, and the main
// program it runs on the application thread.
#pragma once

// Places the frame and puts the three menu commands on the empty menu bar, so that the framework
// builds none of its default menus. Returns true.
bool app_initial_settings();

// Sets up the drawing window, asks for the viewing parameters, reads the figure data and runs the
// start screen. The program ends in it (or in the "Выход" command), never returning.
[[noreturn]] void app_main();
