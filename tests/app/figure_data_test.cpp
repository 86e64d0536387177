// Reading talvena.sym: good files, every kind of bad one, where the file is looked for, and the
// shipped figures' fit inside the training area.
#include "app/figure_data.h"
#include "app/training_image.h"
#include "tests/support/temp_folder.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A count line: the count in columns 17-24.
std::string count_line(int32_t k, const std::string& count) {
    std::string line = " Figure K=" + std::to_string(k);
    line.resize(16, ' ');
    return line + std::string(8 - std::min<size_t>(8, count.size()), ' ') + count + "\r\n";
}

// A point line of (y, x) pairs, twenty I4 values.
std::string point_line(int32_t pairs, int32_t first_y) {
    std::string line;
    for (int32_t i = 0; i < pairs; ++i) {
        char field[16];
        std::snprintf(field, sizeof field, "%4d%4d", first_y + i, 2 * i);
        line += field;
    }
    return line + "\r\n";
}

// Nine sets; cell size 2 holds `points_of_2` points, the others one point each.
std::string figure_file(int32_t points_of_2 = 25) {
    std::string text;
    for (int32_t k = 1; k <= 9; ++k) {
        const int32_t count = k == 2 ? points_of_2 : 1;
        text += count_line(k, std::to_string(count));
        if (count == 0)
            text += "\r\n";
        for (int32_t done = 0; done < count; done += 10)
            text += point_line(std::min(10, count - done), 100 + done);
    }
    return text;
}

class FigureDataTest : public ::testing::Test {
protected:
    fs::path write(const std::string& text, const std::string& name = "talvena.sym") {
        const fs::path path = m_folder / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    test_support::TempFolder m_temp;
    const fs::path m_folder = m_temp.path();
};

// A count of 25 is followed by three point lines: two of ten points and one of five.
TEST_F(FigureDataTest, ReadsEveryCellSizeAndItsPointLines) {
    const FigureDataResult result = app_read_figure_data(write(figure_file()));
    ASSERT_FALSE(result.error) << result.error->message();
    ASSERT_EQ(result.figures.count(2), 25);
    EXPECT_EQ(result.figures.points(2)[0], (FigurePoint{100, 0}));
    EXPECT_EQ(result.figures.points(2)[10], (FigurePoint{110, 0}));
    EXPECT_EQ(result.figures.points(2)[24], (FigurePoint{124, 8}));
    for (const int32_t k : {1, 3, 9})
        EXPECT_EQ(result.figures.count(k), 1) << k;
}

TEST_F(FigureDataTest, ASetWithoutPointsKeepsItsOneLine) {
    const FigureDataResult result = app_read_figure_data(write(figure_file(0)));
    ASSERT_FALSE(result.error) << result.error->message();
    EXPECT_EQ(result.figures.count(2), 0);
    EXPECT_EQ(result.figures.points(3)[0], (FigurePoint{100, 0}));
}

TEST_F(FigureDataTest, AcceptsLinesEndedByLineFeedsAlone) {
    std::string text = figure_file();
    std::erase(text, '\r');
    const FigureDataResult result = app_read_figure_data(write(text));
    ASSERT_FALSE(result.error) << result.error->message();
    EXPECT_EQ(result.figures.count(2), 25);
}

struct BadFile {
    const char* name;
    std::string text;
    int32_t line;
    const char* reason_part;
};

// Lines of figure_file(): 1-2 cell size 1, 3 the count of 2, 4-6 its points, 7 the count of 3.
std::vector<BadFile> bad_files() {
    const std::string good = figure_file();
    const auto first_lines = [&good](int32_t lines) {
        size_t end = 0;
        for (int32_t i = 0; i < lines; ++i)
            end = good.find('\n', end) + 1;
        return good.substr(0, end);
    };
    return {
        {"empty", "", 1, "the count of cell size 1"},
        {"ends_before_a_count", first_lines(6), 7, "the count of cell size 3"},
        {"ends_inside_the_points", first_lines(5), 6, "the points of cell size 2"},
        {"count_not_a_number", first_lines(2) + count_line(2, "twenty"), 3, "columns 17-24"},
        {"point_not_a_number", first_lines(3) + "  1x" + good.substr(first_lines(3).size() + 4), 4,
         "columns 1-4"},
        {"count_above_the_table",
         first_lines(2) + count_line(2, "10001") + good.substr(first_lines(3).size()), 3,
         "is 10001"},
        {"negative_count",
         first_lines(2) + count_line(2, "-1") + good.substr(first_lines(3).size()), 3, "is -1"},
    };
}

TEST_F(FigureDataTest, BadFilesNameTheFileAndTheLine) {
    for (const BadFile& bad : bad_files()) {
        SCOPED_TRACE(bad.name);
        const fs::path path = write(bad.text);
        const FigureDataResult result = app_read_figure_data(path);
        ASSERT_TRUE(result.error);
        EXPECT_EQ(result.error->path, path);
        EXPECT_EQ(result.error->line, bad.line);
        EXPECT_NE(result.error->reason.find(bad.reason_part), std::string::npos)
            << result.error->reason;
        const std::string message = result.error->message();
        EXPECT_NE(message.find(path.string()), std::string::npos) << message;
        EXPECT_NE(message.find("line " + std::to_string(bad.line)), std::string::npos) << message;
        EXPECT_EQ(result.figures, FigurePointTable{});
    }
}

TEST_F(FigureDataTest, AMissingFileIsAnErrorAndIsNotCreated) {
    const fs::path path = m_folder / "talvena.sym";
    const FigureDataResult result = app_read_figure_data(path);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->line, 0);
    EXPECT_NE(result.error->message().find(path.string()), std::string::npos);
    EXPECT_FALSE(fs::exists(path));
}

// The data folder first, then the installed shared folder, then beside the program; a folder
// that could not be found out (empty) is passed over, and with no file anywhere the data folder's
// path is the one that gets reported.
TEST_F(FigureDataTest, IsLookedForInTheDataFolderThenTheSharedFolderThenBesideTheProgram) {
    const fs::path data = m_folder / "data";
    const fs::path shared = m_folder / "share";
    const fs::path program = m_folder / "bin";
    for (const fs::path& folder : {data, shared, program})
        fs::create_directories(folder);
    const std::vector<fs::path> folders = {data, shared, program};
    const std::vector<fs::path> without_shared = {data, fs::path(), program};
    EXPECT_EQ(app_figure_data_path(folders), data / "talvena.sym");
    write("", "bin/talvena.sym");
    EXPECT_EQ(app_figure_data_path(folders), program / "talvena.sym");
    EXPECT_EQ(app_figure_data_path(without_shared), program / "talvena.sym");
    write("", "share/talvena.sym");
    EXPECT_EQ(app_figure_data_path(folders), shared / "talvena.sym");
    write("", "data/talvena.sym");
    EXPECT_EQ(app_figure_data_path(folders), data / "talvena.sym");
}

// Every tile of the shipped figures lies in the training area (rows 20 down, inside the 980 x 650
// window) for both base offsets, and on the 2K grid that lines it up with the grating's columns.
TEST(ShippedFiguresTest, FitTheTrainingAreaOnTheGratingsGrid) {
    const FigureDataResult result = app_read_figure_data(TALVENA_SHIPPED_FIGURES);
    ASSERT_FALSE(result.error) << result.error->message();
    for (int32_t k = 1; k <= 9; ++k) {
        SCOPED_TRACE(k);
        EXPECT_GT(result.figures.count(k), 0);
        EXPECT_LE(result.figures.count(k), FIGURE_MAX_POINTS);
        for (const int32_t base : {FIGURE_LEFT_BASE, FIGURE_RIGHT_BASE}) {
            const int32_t x0 = app_figure_offset(k, base);
            for (const FigurePoint& point : result.figures.points(k)) {
                ASSERT_GE(point.y, 20);
                ASSERT_LE(point.y + 2 * k, 650 - 1);
                ASSERT_GE(point.x + x0, 0);
                ASSERT_LE(point.x + x0 + 2 * k, 980 - 1);
                ASSERT_EQ((point.x + x0) % k, 0);
                ASSERT_EQ(point.x % (2 * k), 0);
            }
        }
    }
}

} // namespace
