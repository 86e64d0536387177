// The callbacks of the menu commands "Выход" and "Итоги_тренировок".
#pragma once

#include <cstdint>

// "Выход": closes the drawing window, waits 350 ms in silence and ends the program. Runs on the
// user-interface thread, whatever the application thread is doing.
[[noreturn]] int32_t app_menu_exit(int32_t checked);

// "Итоги_тренировок": asks the main loop for the results chart. Returns 0.
int32_t app_menu_results(int32_t checked);
