// A window configuration when no font can be made for its text cells.
#include "framework/surface/surface.h"
#include "framework/windows/child_window.h"
#include "framework/windows/process_font_library.h"
#include "framework/windows/window_config.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The font library opened on a folder without fonts: every font it is asked for fails. The
// library is opened once per process, so the test runs only where nothing has opened it yet
// (ctest runs each test in a process of its own).
TEST(MissingTextFontTest, ConfigurationsApplyWithoutAFontAndTellTheReport) {
    const std::filesystem::path empty =
        std::filesystem::temp_directory_path() / ("talvena-no-fonts-" + std::to_string(::getpid()));
    std::filesystem::create_directories(empty);
    fonts::FontSource no_fonts;
    no_fonts.directories = {empty.string()};
    framework::set_font_library_source(no_fonts);
    if (framework::create_text_font("", 8, 16, GW_FONT_STYLE_NORMAL)) {
        std::filesystem::remove_all(empty);
        GTEST_SKIP() << "the font library was opened before this test";
    }

    std::vector<std::string> reported;
    framework::set_missing_text_font_report(
        [&reported](const std::string& face) { reported.push_back(face); });
    gw_child_window& window = *gw_find_window(gw_default_window());

    gw_window_config standard;
    standard.surface_width = 80;
    standard.surface_height = 48;
    EXPECT_EQ(gw_apply_window_config(standard, window), 1);

    gw_window_config named;
    named.surface_width = 100;
    named.surface_height = 60;
    named.font_cell = GW_EXTENDED_FONT_CELL;
    named.font_cell_extended = framework::cell_size(10, 20);
    std::strcpy(named.font_face, "Arial");
    EXPECT_EQ(gw_apply_window_config(named, window), 1);

    // Every configuration that gets no font says so, with the face it asked for; the grid keeps
    // the cell asked for.
    EXPECT_EQ(reported, (std::vector<std::string>{"", "Arial"}));
    {
        framework::SurfaceAccess access(window.surface);
        EXPECT_FALSE(window.text_grid.font);
        EXPECT_EQ(window.text_grid.cell_width, 10);
        EXPECT_EQ(window.text_grid.cell_height, 20);
        EXPECT_EQ(window.text_grid.columns, 10);
        EXPECT_EQ(window.text_grid.rows, 3);
    }

    framework::set_missing_text_font_report({});
    std::filesystem::remove_all(empty);
}

} // namespace
