// The remembered parameters: written whole and read back, refused when damaged, nothing without
// a folder; and the first values a screen gives.
#include "app/remembered_parameters.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class RememberedParameters : public testing::Test {
protected:
    void TearDown() override { app_set_config_folder(std::nullopt); }
    test_support::TempFolder m_temp;
};

TEST_F(RememberedParameters, AreWrittenWholeAndComeBack) {
    const fs::path folder = m_temp.path() / "config" / "talvena"; // made when missing
    app_set_config_folder(folder);
    ViewingParameters accepted;
    accepted.distance_cm = 62.5f;
    accepted.diagonal_in = 23.8f;
    accepted.screen_nx = 1920;
    accepted.screen_ny = 1080;
    accepted.training_volume = 100;
    ASSERT_TRUE(app_remember_parameters(accepted));
    EXPECT_EQ(test_support::file_bytes(folder / REMEMBERED_PARAMETERS_FILE),
              "# talvena: the viewing parameters accepted last\n"
              "distance_cm=62.5\ndiagonal_in=23.8\nscreen_nx=1920\nscreen_ny=1080\n");
    EXPECT_FALSE(fs::exists(folder / "parameters.ini.new"));

    const std::optional<ViewingParameters> back = app_load_remembered_parameters({});
    ASSERT_TRUE(back);
    EXPECT_EQ(back->distance_cm, 62.5f);
    EXPECT_EQ(back->diagonal_in, 23.8f);
    EXPECT_EQ(back->screen_nx, 1920);
    EXPECT_EQ(back->screen_ny, 1080);
    EXPECT_EQ(back->training_volume, 100);
}

// A file that does not hold all four as positive numbers is not used at all: the dialog then
// starts from its first values, and the next accepted parameters replace the file.
TEST_F(RememberedParameters, ADamagedFileIsNotUsed) {
    app_set_config_folder(m_temp.path());
    const std::string cases[] = {
        "",
        "distance_cm=62.5\ndiagonal_in=23.8\nscreen_nx=1920\n",
        "distance_cm=62,5\ndiagonal_in=23.8\nscreen_nx=1920\nscreen_ny=1080\n",
        "distance_cm=-1\ndiagonal_in=23.8\nscreen_nx=1920\nscreen_ny=1080\n",
        "distance_cm=nan\ndiagonal_in=23.8\nscreen_nx=1920\nscreen_ny=1080\n",
        "distance_cm=62.5\ndiagonal_in=23.8\nscreen_nx=1920x\nscreen_ny=1080\n",
        std::string(5000, '#'),
    };
    for (const std::string& text : cases) {
        test_support::write_bytes(m_temp.path() / REMEMBERED_PARAMETERS_FILE, text);
        EXPECT_FALSE(app_load_remembered_parameters({})) << text.substr(0, 60);
    }
    fs::remove(m_temp.path() / REMEMBERED_PARAMETERS_FILE);
    fs::create_directory(m_temp.path() / REMEMBERED_PARAMETERS_FILE);
    EXPECT_FALSE(app_load_remembered_parameters({}));
    EXPECT_FALSE(app_remember_parameters({})) << "a folder in the file's place";
}

TEST_F(RememberedParameters, WithoutAFolderNothingIsReadOrWritten) {
    app_set_config_folder(std::nullopt);
    EXPECT_FALSE(app_load_remembered_parameters({}));
    EXPECT_TRUE(app_remember_parameters({}));
    EXPECT_TRUE(fs::is_empty(m_temp.path()));
}

// The screen's resolution, and the diagonal from its physical size where that can be a screen's.
TEST(ParametersFromScreen, TakeTheResolutionAndAPlausibleDiagonal) {
    const struct {
        const char* what;
        ScreenSize screen;
        int32_t nx;
        int32_t ny;
        float diagonal;
    } cases[] = {
        {"a virtual X screen", {1920, 1080, 508.0, 286.0}, 1920, 1080, 22.95f},
        {"a laptop", {1366, 768, 344.0, 194.0}, 1366, 768, 15.55f},
        {"no physical size", {1366, 768, 0.0, 0.0}, 1366, 768, 17.7f},
        {"a size too small for a screen", {800, 600, 100.0, 80.0}, 800, 600, 17.7f},
        {"a size too large for a screen", {3840, 2160, 4000.0, 2000.0}, 3840, 2160, 17.7f},
        {"no screen", {0, 0, 508.0, 286.0}, 1024, 768, 17.7f},
    };
    for (const auto& c : cases) {
        const ViewingParameters first = app_parameters_from_screen({}, c.screen);
        EXPECT_EQ(first.screen_nx, c.nx) << c.what;
        EXPECT_EQ(first.screen_ny, c.ny) << c.what;
        EXPECT_FLOAT_EQ(first.diagonal_in, c.diagonal) << c.what;
        EXPECT_EQ(first.distance_cm, 200.0f) << c.what;
    }
}

} // namespace
