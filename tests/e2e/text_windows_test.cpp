// Text windows on the real program: a missing dialog template stops the program with its text in
// the default window, then the exit question.
#include "platform/raster/png.h"
#include "tests/e2e/program_run.h"

#include <fstream>
#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr int32_t CELL_WIDTH = 8;
constexpr int32_t CELL_HEIGHT = 16;

// The cells of a surface's first text rows: '#' for a cell with any pixel other than the
// background (the pixel at the top-left corner), '.' for a blank one.
std::string row_cells(const raster::Bitmap& surface, int32_t row, int32_t columns) {
    const raster::Pixel background = surface.pixel(0, row * CELL_HEIGHT + CELL_HEIGHT - 1);
    std::string cells;
    for (int32_t column = 0; column < columns; ++column) {
        bool ink = false;
        for (int32_t y = row * CELL_HEIGHT; y < (row + 1) * CELL_HEIGHT; ++y)
            for (int32_t x = column * CELL_WIDTH; x < (column + 1) * CELL_WIDTH; ++x)
                ink = ink || surface.pixel(x, y) != background;
        cells += ink ? '#' : '.';
    }
    return cells;
}

} // namespace

TEST(TextWindows, MissingDialogTemplateShowsItsTextInTheDefaultWindowThenAsks) {
    e2e::RunOptions options;
    options.prepare = [](const std::filesystem::path& folder) {
        std::ofstream(folder / "none.dlg", std::ios::binary);
    };
    options.arguments = {"--dialog-templates", "none.dlg"};
    const e2e::ProgramRun run = e2e::run_program("missing-template",
                                                 "on message after 0.5 snapshot stopped\n"
                                                 "after 0.5 key Enter\n"
                                                 "after 1 close\n",
                                                 options);
    EXPECT_EQ(run.exit_code, 0) << run.output;
    const size_t text = run.find("text window=1024 text=Диалог_IDD_DIALOG1_не_найден__");
    ASSERT_LT(text, run.trace.size()) << run.trace_text();
    EXPECT_EQ(run.find("dialog-shown"), run.trace.size()) << "no dialog is shown";
    EXPECT_EQ(e2e::joined_lines(run.steps(text + 1)), "message caption=talvena\n"
                                                      "exit code=0\n");

    // "Диалог IDD_DIALOG1 не найден" on the first row of the default window, the blanks between
    // its words left blank; nothing on the row below.
    const std::optional<raster::Bitmap> surface = raster::read_png(run.snapshot("stopped"));
    ASSERT_TRUE(surface.has_value());
    EXPECT_EQ(row_cells(*surface, 0, 32), "######.###########.##.######....");
    EXPECT_EQ(row_cells(*surface, 1, 32), std::string(32, '.'));
    EXPECT_TRUE(std::filesystem::exists(run.snapshot("stopped-frame")));
}
