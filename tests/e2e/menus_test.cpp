// The frame's menu commands on the real program: "Выход" ends it, "Инструкция" shows the
// instructions while the start screen goes on, the menu bar holds exactly these labels, and F1
// over an item asks for its help instead.
#include "platform/raster/png.h"
#include "tests/e2e/program_run.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>

namespace {

using e2e::ProgramRun;

// The caption bar a snapshot draws over a box, as a bitmap holds it (0xFFRRGGBB).
constexpr uint32_t CAPTION_BAR = 0xFF000080;

using e2e::joined_lines;

// The instructions as the trace writes them: paragraphs separated by carriage returns, every
// blank and carriage return written as '_'. The web page's address is left out: the text runs up
// to it and goes on after it.
const std::string INSTRUCTION_BEFORE_ADDRESS =
    "Программа_-_тренажер_для_глаз_TALVENA._"
    "__"
    "НАЧАЛО:_левая_кнопка_мыши_-_ТРЕНИРОВКА_с_текущим_размером,_правая_-_ПРОВЕРКА_ЗРЕНИЯ,_"
    "обе_кнопки_-__выход_из_программы"
    "__"
    "ТРЕНИРОВКА:_Цифра_слева_-_жмите_левую_кнопку_мыши,_справа_-_правую,_обе_кнопки_-_переход_"
    "в_НАЧАЛО"
    "__"
    "ПРОВЕРКА_ЗРЕНИЯ:_Зазор_слева_-_жмите_левую_кнопку_мыши,_справа_-_правую,_обе_кнопки_-_"
    "переход_в_НАЧАЛО"
    "__"
    "Подробная_инструкция_на_страничке_";
const std::string INSTRUCTION_AFTER_ADDRESS =
    ",там_же_гостевая_книга."
    "_"
    "Пожалуйста,_напишите_о_своем_опыте_работы_с_программой";

// The run's help, menu, box and exit events, without the start screen's going on around them.
std::vector<std::string> help_steps(const ProgramRun& run) {
    std::vector<std::string> steps;
    for (const e2e::TraceEvent& event : run.trace)
        if (event.name == "help" || event.name == "menu" || event.name == "message" ||
            event.name == "script-error" || event.name == "exit")
            steps.push_back(event.text());
    return steps;
}

} // namespace

// "Выход" closes the drawing window, keeps a silent pause of 350 ms and ends with code 0.
TEST(Menus, ExitEndsWithCodeZeroAfterItsSilentPause) {
    const ProgramRun run =
        e2e::run_program("exit", e2e::ACCEPT_DEFAULTS + "on pause K=3 after 1 menu Выход\n");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    const size_t menu = run.find("menu label=Выход");
    ASSERT_LT(menu, run.trace.size()) << run.trace_text();
    EXPECT_EQ(joined_lines(run.steps(menu)), "menu label=Выход\ntone hz=0 ms=350\nexit code=0\n");
    EXPECT_NEAR(run.trace.back().time - run.trace[menu].time, 0.350, 0.0005);
}

// The instructions come up in a message box captioned with the program's title; the start
// screen goes on behind it (here through a change of size) until the box is answered.
TEST(Menus, InstructionShowsTheTextWhileTheStartScreenGoesOn) {
    const ProgramRun run = e2e::run_program(
        "instruction", e2e::ACCEPT_DEFAULTS + "on pause K=2 after 1 menu Инструкция\n"
                                              "on message after 1 snapshot box\n"
                                              "after 5 key Enter\n"
                                              "after 0.5 snapshot answered\n"
                                              "on pause K=4 after 1 menu Выход\n");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    const size_t menu = run.find("menu label=Инструкция");
    ASSERT_LT(menu, run.trace.size()) << run.trace_text();
    EXPECT_EQ(joined_lines(run.steps(menu)),
              "menu label=Инструкция\nmessage caption=talvena\nfigure K=3\npause K=3\n"
              "figure K=4\npause K=4\nmenu label=Выход\ntone hz=0 ms=350\nexit code=0\n");

    const std::string text = run.trace[menu + 1].value("text");
    ASSERT_TRUE(text.starts_with(INSTRUCTION_BEFORE_ADDRESS)) << text;
    ASSERT_TRUE(text.ends_with(INSTRUCTION_AFTER_ADDRESS)) << text;
    const std::string address = text.substr(INSTRUCTION_BEFORE_ADDRESS.size(),
                                            text.size() - INSTRUCTION_BEFORE_ADDRESS.size() -
                                                INSTRUCTION_AFTER_ADDRESS.size());
    EXPECT_TRUE(address.starts_with("http")) << address;
    EXPECT_EQ(address.find('_'), std::string::npos) << "one word, no blank: " << address;

    // The frame's snapshot shows the box, caption bar and all, while it is up, and not after.
    const auto caption_pixels = [&](std::string_view name) {
        const std::optional<raster::Bitmap> frame = raster::read_png(run.snapshot(name));
        EXPECT_TRUE(frame) << name;
        int32_t count = 0;
        for (int32_t y = 0; frame && y < frame->height(); ++y)
            for (int32_t x = 0; x < frame->width(); ++x)
                count += frame->pixel(x, y) == CAPTION_BAR;
        return count;
    };
    EXPECT_GT(caption_pixels("box-frame"), 200 * 10);
    EXPECT_EQ(caption_pixels("answered-frame"), 0);
}

// A run may end with the box still up: closing the frame ends it at once, with code 0.
TEST(Menus, FrameClosesWithTheInstructionStillUp) {
    const ProgramRun run =
        e2e::run_program("closed", e2e::ACCEPT_DEFAULTS + "on pause K=2 after 1 menu Инструкция\n"
                                                          "on message after 1 close\n");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    const size_t menu = run.find("menu label=Инструкция");
    ASSERT_LT(menu, run.trace.size()) << run.trace_text();
    EXPECT_EQ(joined_lines(run.steps(menu)),
              "menu label=Инструкция\nmessage caption=talvena\nexit code=0\n");
    EXPECT_NEAR(run.trace.back().time - run.trace[menu].time, 1.0, 0.0005);
}

// The three commands answer to their labels exactly; a label with a blank for the underscore, or
// any other, is no command, and the run goes on.
TEST(Menus, MenuBarHoldsExactlyItsThreeLabels) {
    const ProgramRun run = e2e::run_program(
        "labels", e2e::ACCEPT_DEFAULTS + "on pause K=2 after 1 menu Итоги тренировок\n" // line 2
                                         "menu Exit\n"                                  // line 3
                                         "menu Инструкции\n"                            // line 4
                                         "menu Итоги_тренировок\n"
                                         "on chart click left\n"
                                         "on pause K=2 after 1 menu Инструкция\n"
                                         "on message key Enter\n"
                                         "after 1 menu Выход\n");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    const size_t first = run.find("script-error");
    ASSERT_LT(first, run.trace.size()) << run.trace_text();
    EXPECT_EQ(joined_lines(run.steps(first)),
              "script-error line=2 reason=no_menu_command_Итоги_тренировок\n"
              "script-error line=3 reason=no_menu_command_Exit\n"
              "script-error line=4 reason=no_menu_command_Инструкции\n"
              "menu label=Итоги_тренировок\nrequest value=3\n"
              "chart records=0 vision=0 training=0 stopped=0 file=missing\nwait-click\n"
              "figure K=2\npause K=2\n"
              "menu label=Инструкция\nmessage caption=talvena\n"
              "menu label=Выход\ntone hz=0 ms=350\nexit code=0\n");
}

// While the parameter dialog or a message box is up, the menus and the drawing window take no
// input, as for a person; once the box is answered they do again.
TEST(Menus, ModalBoxesHoldTheMenusAndTheWindow) {
    const ProgramRun run = e2e::run_program("modal", "on dialog-shown id=101 menu Выход\n"
                                                     "dialog press 1\n"
                                                     "on pause K=2 menu Инструкция\n"
                                                     "on message after 0.5 click left\n" // line 4
                                                     "after 0.5 menu Итоги_тренировок\n"
                                                     "after 0.5 key Enter\n"
                                                     "after 0.5 menu Выход\n");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    std::vector<std::string> errors;
    for (const e2e::TraceEvent& event : run.trace)
        if (event.name == "script-error")
            errors.push_back(event.text());
    EXPECT_EQ(joined_lines(errors), "script-error line=1 reason=menu_behind_a_modal_box\n"
                                    "script-error line=4 reason=window_behind_a_modal_box\n"
                                    "script-error line=5 reason=menu_behind_a_modal_box\n")
        << run.trace_text();
    EXPECT_LT(run.find("menu label=Выход"), run.trace.size()) << run.trace_text();
}

// F1 on "Инструкция" opens the help file at the About command's topic instead of showing the
// instructions. With no NORVEL_HLP the file is looked for along the PATH and then by its bare
// name, here in the working folder; the scripted run leaves the opening to the trace.
TEST(Menus, HelpOnInstructionOpensItsTopicInsteadOfTheInstructions) {
    unsetenv("NORVEL_HLP");
    e2e::RunOptions options;
    options.prepare = [](const std::filesystem::path& folder) {
        std::ofstream(folder / "NORVEL.HLP") << "help\n";
    };
    const ProgramRun run =
        e2e::run_program("help-topic",
                         e2e::ACCEPT_DEFAULTS + "on pause K=2 after 1 help Инструкция\n"
                                                "on pause K=3 after 1 menu Выход\n",
                         options);
    EXPECT_EQ(run.exit_code, 0) << run.output;
    EXPECT_EQ(joined_lines(help_steps(run)),
              "help file=NORVEL.HLP topic=1001\nmenu label=Выход\nexit code=0\n")
        << run.trace_text();
}

// F1 on "Выход" only says that there is no help for it: the program goes on. Without the help
// file, F1 on "Инструкция" says that the file cannot be opened.
TEST(Menus, HelpOnExitKeepsTheProgramRunningAndAMissingFileIsReported) {
    unsetenv("NORVEL_HLP");
    const ProgramRun run = e2e::run_program(
        "help-missing", e2e::ACCEPT_DEFAULTS + "on pause K=2 after 1 help Выход\n"
                                               "on message after 1 key Enter\n"
                                               "on pause K=3 after 1 help Инструкция\n"
                                               "on message after 1 key Enter\n"
                                               "on pause K=4 after 1 menu Выход\n");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    EXPECT_EQ(joined_lines(help_steps(run)),
              "message caption=talvena text=Help_not_available_for_menu_item\n"
              "help file=NORVEL.HLP topic=1001\n"
              "message caption=talvena text=Cannot_open_the_help_file_NORVEL.HLP\n"
              "menu label=Выход\nexit code=0\n")
        << run.trace_text();
}
