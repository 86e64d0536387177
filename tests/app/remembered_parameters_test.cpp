// The remembered parameters: written whole and read back, refused when damaged, nothing without
// a folder; and the first values a screen gives.
#include "app/remembered_parameters.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class RememberedParametersFile : public testing::Test {
protected:
    void TearDown() override { app_set_config_folder(std::nullopt); }
    test_support::TempFolder m_temp;
};

TEST_F(RememberedParametersFile, AreWrittenWholeAndComeBack) {
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

    const std::optional<RememberedParameters> remembered = app_load_remembered_parameters({});
    ASSERT_TRUE(remembered);
    const ViewingParameters& back = remembered->parameters;
    EXPECT_EQ(back.distance_cm, 62.5f);
    EXPECT_EQ(back.diagonal_in, 23.8f);
    EXPECT_EQ(back.screen_nx, 1920);
    EXPECT_EQ(back.screen_ny, 1080);
    EXPECT_EQ(back.training_volume, 100);
    EXPECT_TRUE(remembered->not_offered.empty());
    EXPECT_TRUE(remembered->diagonal_taken);
}

// A value out of the dialog's ranges, as an earlier version remembered 99999999999999999999 cut
// to 10 digits, is not offered: the default stays and the value is named for the user. The
// others are taken.
TEST_F(RememberedParametersFile, ValuesOutOfRangeAreNotOffered) {
    app_set_config_folder(m_temp.path());
    ViewingParameters defaults;
    defaults.screen_nx = 1366;
    defaults.screen_ny = 768;
    const struct {
        const char* text;
        float distance;
        float diagonal;
        int32_t nx;
        std::vector<std::string> not_offered;
    } cases[] = {
        {"distance_cm=1e+10\ndiagonal_in=23.8\nscreen_nx=1920\nscreen_ny=1080\n",
         200.0f,
         23.8f,
         1920,
         {"дальность 1e+10 см"}},
        {"distance_cm=-1\ndiagonal_in=0.001\nscreen_nx=1920\nscreen_ny=1080\n",
         200.0f,
         17.7f,
         1920,
         {"дальность -1 см", "диагональ 0.001 дюйм."}},
        {"distance_cm=nan\ndiagonal_in=999999999999\nscreen_nx=10000\nscreen_ny=1080\n",
         200.0f,
         17.7f,
         1366,
         {"дальность nan см", "диагональ 999999999999 дюйм.", "Nx=10000"}},
        {"distance_cm=10\ndiagonal_in=99.9\nscreen_nx=320\nscreen_ny=9999\n",
         10.0f,
         99.9f,
         320,
         {}},
    };
    for (const auto& c : cases) {
        test_support::write_bytes(m_temp.path() / REMEMBERED_PARAMETERS_FILE, c.text);
        const std::optional<RememberedParameters> remembered =
            app_load_remembered_parameters(defaults);
        ASSERT_TRUE(remembered) << c.text;
        EXPECT_EQ(remembered->parameters.distance_cm, c.distance) << c.text;
        EXPECT_EQ(remembered->parameters.diagonal_in, c.diagonal) << c.text;
        EXPECT_EQ(remembered->parameters.screen_nx, c.nx) << c.text;
        EXPECT_EQ(remembered->not_offered, c.not_offered) << c.text;
        EXPECT_EQ(remembered->diagonal_taken, c.diagonal != 17.7f) << c.text;
    }
}

// A file that does not hold all four as numbers is not used at all: the dialog then
// starts from its first values, and the next accepted parameters replace the file.
TEST_F(RememberedParametersFile, ADamagedFileIsNotUsed) {
    app_set_config_folder(m_temp.path());
    const std::string cases[] = {
        "",
        "distance_cm=62.5\ndiagonal_in=23.8\nscreen_nx=1920\n",
        "distance_cm=62,5\ndiagonal_in=23.8\nscreen_nx=1920\nscreen_ny=1080\n",
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

TEST_F(RememberedParametersFile, WithoutAFolderNothingIsReadOrWritten) {
    app_set_config_folder(std::nullopt);
    EXPECT_FALSE(app_load_remembered_parameters({}));
    EXPECT_TRUE(app_remember_parameters({}));
    EXPECT_TRUE(fs::is_empty(m_temp.path()));
}

// The screen's resolution, and the diagonal from its physical size where that can be a screen's;
// whether that size was reported or is the 96 dpi stand-in of a screen that reports none.
TEST(ParametersFromScreen, TakeTheResolutionAndAPlausibleDiagonal) {
    const struct {
        const char* what;
        ScreenSize screen;
        int32_t nx;
        int32_t ny;
        float diagonal;
        bool reported;
    } cases[] = {
        {"a virtual X screen at 96 dpi", {1920, 1080, 508.0, 286.0}, 1920, 1080, 22.95f, false},
        {"a laptop", {1366, 768, 344.0, 194.0}, 1366, 768, 15.55f, true},
        {"a 23-inch monitor", {1920, 1080, 509.0, 286.0}, 1920, 1080, 22.99f, true},
        {"no physical size", {1366, 768, 0.0, 0.0}, 1366, 768, 17.7f, false},
        {"a size too small for a screen", {800, 600, 70.0, 50.0}, 800, 600, 17.7f, false},
        {"a size too large for a screen", {3840, 2160, 4000.0, 2000.0}, 3840, 2160, 17.7f, false},
        {"a resolution beyond the dialog's", {10240, 1440, 1200.0, 340.0}, 1024, 768, 17.7f, true},
        {"no screen", {0, 0, 508.0, 286.0}, 1024, 768, 17.7f, false},
    };
    for (const auto& c : cases) {
        const ViewingParameters first = app_parameters_from_screen({}, c.screen);
        EXPECT_EQ(first.screen_nx, c.nx) << c.what;
        EXPECT_EQ(first.screen_ny, c.ny) << c.what;
        EXPECT_FLOAT_EQ(first.diagonal_in, c.diagonal) << c.what;
        EXPECT_EQ(first.distance_cm, 200.0f) << c.what;
        EXPECT_EQ(app_screen_size_reported(c.screen), c.reported) << c.what;
    }
}

} // namespace
