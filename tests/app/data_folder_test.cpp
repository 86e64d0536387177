// The data folder: the user's folder from the environment, the choice between it and the working
// folder, and the folder made at the first write, or not made and reported.
#include "app/data_folder.h"
#include "app/results_file.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

TEST(DataFolder, TheUsersFolderFollowsTheBaseDirectoryRules) {
    const struct {
        const char* xdg_data_home;
        const char* home;
        std::optional<fs::path> folder;
    } CASES[] = {
        {"/data", "/home/u", fs::path("/data/talvena")},
        {"", "/home/u", fs::path("/home/u/.local/share/talvena")},
        // A relative XDG_DATA_HOME is not to be used.
        {"data", "/home/u", fs::path("/home/u/.local/share/talvena")},
        {"/data", "", fs::path("/data/talvena")},
        {"", "", std::nullopt},
        {"relative", "", std::nullopt},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(std::string("XDG_DATA_HOME=") + c.xdg_data_home + " HOME=" + c.home);
        EXPECT_EQ(app_user_data_folder(c.xdg_data_home, c.home), c.folder);
    }
}

// Whatever stands in the working folder under the results file's name is the user's history:
// it is used where it is, so that trouble with it is reported rather than hidden by a new file
// in another folder.
TEST(DataFolder, AResultsFileInTheWorkingFolderKeepsItThere) {
    test_support::TempFolder temp;
    const fs::path user = temp.path() / "user";
    const struct {
        const char* what;
        std::function<void(const fs::path& working)> prepare;
        DataFolderSource source;
    } CASES[] = {
        {"nothing", [](const fs::path&) {}, DataFolderSource::user_data},
        {"another file",
         [](const fs::path& w) { test_support::write_bytes(w / "talvena-trials.csv", ""); },
         DataFolderSource::user_data},
        {"a results file",
         [](const fs::path& w) { test_support::write_bytes(w / "talvena.rtr", ""); },
         DataFolderSource::working_folder},
        {"a folder by its name", [](const fs::path& w) { fs::create_directory(w / "talvena.rtr"); },
         DataFolderSource::working_folder},
        {"a dangling link",
         [](const fs::path& w) { fs::create_symlink(w / "nowhere", w / "talvena.rtr"); },
         DataFolderSource::working_folder},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.what);
        const fs::path working = temp.path() / c.what;
        fs::create_directories(working);
        c.prepare(working);
        const DataFolderChoice choice = app_choose_data_folder(working, "talvena.rtr", user);
        EXPECT_EQ(choice.source, c.source);
        EXPECT_EQ(choice.folder, c.source == DataFolderSource::user_data ? user : working);
        // Without a user's folder (no HOME) the working folder is all there is.
        EXPECT_EQ(app_choose_data_folder(working, "talvena.rtr", std::nullopt).folder, working);
    }
}

class DataFolderWrite : public testing::Test {
protected:
    void TearDown() override { app_set_data_folder("."); }

    static uint32_t mode_of(const fs::path& path) {
        struct stat info {};
        ::stat(path.c_str(), &info);
        return info.st_mode & 0777;
    }

    test_support::TempFolder m_temp;
};

// The user's folder, and the folders above it that are missing, come with the first record,
// private to the user; a folder given or the working folder is never made.
TEST_F(DataFolderWrite, TheUsersFolderIsMadeAtTheFirstWrite) {
    const fs::path folder = m_temp.path() / "share" / "talvena";
    app_set_data_folder(folder, DataFolderSource::user_data);
    EXPECT_FALSE(fs::exists(folder)) << "not before a write";
    const AppendOutcome outcome = app_append_vision_record(VisionRecord{});
    ASSERT_TRUE(outcome.written) << outcome.reason;
    EXPECT_TRUE(fs::is_regular_file(folder / RESULTS_FILE_NAME));
    EXPECT_EQ(mode_of(folder), 0700u);
    EXPECT_EQ(mode_of(folder.parent_path()), 0700u);

    for (const DataFolderSource source :
         {DataFolderSource::given, DataFolderSource::working_folder}) {
        const fs::path elsewhere = m_temp.path() / "missing";
        app_set_data_folder(elsewhere, source);
        EXPECT_EQ(app_create_data_folder(), 0);
        EXPECT_FALSE(app_append_vision_record(VisionRecord{}).written);
        EXPECT_FALSE(fs::exists(elsewhere));
    }
}

// A folder that cannot be made (a file stands in the way) loses the record with a reason that
// names the file, and leaves nothing behind.
TEST_F(DataFolderWrite, AFolderThatCannotBeMadeIsReported) {
    test_support::write_bytes(m_temp.path() / "share", "a file, not a folder");
    const fs::path folder = m_temp.path() / "share" / "talvena";
    app_set_data_folder(folder, DataFolderSource::user_data);
    const AppendOutcome outcome = app_append_vision_record(VisionRecord{});
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(outcome.reason,
              (folder / RESULTS_FILE_NAME).string() + ": cannot make its folder: Not a directory");
    EXPECT_NE(outcome.reason_shown.find("не удалось создать папку"), std::string::npos)
        << outcome.reason_shown;
    EXPECT_EQ(test_support::file_bytes(m_temp.path() / "share"), "a file, not a folder");
}

} // namespace
