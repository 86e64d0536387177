// The installed tree: every file an installation promises and nothing else, with the permissions
// a package needs; one version throughout; a manual page that covers the program's options; and
// the desktop entry, the AppStream metadata and the manual page as their own checkers judge
// them, where those are installed.
#include "tests/packaging/installed_tree.h"
#include "tests/support/file_bytes.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <ostream>
#include <regex>
#include <set>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using packaging_test::CommandResult;
using packaging_test::run_command;
using test_support::file_bytes;

const std::string ID = TALVENA_APP_ID;
const std::string VERSION = TALVENA_VERSION;

const std::string DESKTOP_ENTRY = "share/applications/" + ID + ".desktop";
const std::string METAINFO = "share/metainfo/" + ID + ".metainfo.xml";
const std::string MANUAL = "share/man/man1/talvena.1";

uint32_t mode_of(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Width and height from a PNG's IHDR chunk (big-endian at bytes 16 and 20); 0 x 0 when the file
// is not a PNG.
std::pair<uint32_t, uint32_t> png_size(const fs::path& path) {
    const std::string bytes = file_bytes(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0 || bytes.compare(12, 4, "IHDR") != 0)
        return {0, 0};
    const auto at = [&](size_t i) {
        uint32_t value = 0;
        for (size_t k = 0; k < 4; ++k)
            value = value << 8 | static_cast<uint8_t>(bytes[i + k]);
        return value;
    };
    return {at(16), at(20)};
}

TEST(InstalledTree, HoldsThePromisedFilesAndNothingElse) {
    const fs::path prefix = packaging_test::install_fresh_prefix();
    ASSERT_FALSE(prefix.empty());
    const std::set<std::string> expected = {
        "bin/talvena",
        DESKTOP_ENTRY,
        METAINFO,
        "share/icons/hicolor/scalable/apps/" + ID + ".svg",
        "share/icons/hicolor/48x48/apps/" + ID + ".png",
        "share/icons/hicolor/128x128/apps/" + ID + ".png",
        "share/icons/hicolor/256x256/apps/" + ID + ".png",
        MANUAL,
        "share/talvena/talvena.sym",
        "share/talvena/translations/talvena_en.qm",
        "share/doc/talvena/copyright",
        "share/doc/talvena/changelog.gz",
        "share/doc/talvena/README.md",
        "share/doc/talvena/scripted-mode.md",
    };
    std::set<std::string> installed;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(prefix)) {
        const std::string path = fs::relative(entry.path(), prefix).string();
        if (entry.is_directory()) {
            EXPECT_EQ(mode_of(entry.path()), 0755u) << path;
            continue;
        }
        installed.insert(path);
        EXPECT_TRUE(entry.is_regular_file()) << path;
        EXPECT_EQ(mode_of(entry.path()), path == "bin/talvena" ? 0755u : 0644u) << path;
    }
    EXPECT_EQ(installed, expected);

    for (const uint32_t size : {48u, 128u, 256u}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        EXPECT_EQ(png_size(prefix / "share/icons/hicolor" / folder / "apps" / (ID + ".png")),
                  std::make_pair(size, size));
    }
    EXPECT_EQ(file_bytes(prefix / "share/talvena/talvena.sym"),
              file_bytes(fs::path(TALVENA_SOURCE_DIR) / "data" / "talvena.sym"));
    const std::string entry = file_bytes(prefix / DESKTOP_ENTRY);
    EXPECT_NE(entry.find("\nExec=talvena\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=" + ID + "\n"), std::string::npos) << entry;
    // Named in both languages as the program's drawing window is titled.
    EXPECT_NE(entry.find("\nGenericName=Eye Trainer\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nGenericName[ru]=Тренажер для глаз\n"), std::string::npos) << entry;
    const std::string metainfo = file_bytes(prefix / METAINFO);
    EXPECT_NE(metainfo.find("<id>" + ID + "</id>"), std::string::npos);
    EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">" + ID + ".desktop</launchable>"),
              std::string::npos);
}

// The program, the AppStream release, the package's changelog and the manual page all carry the
// project's version: a release that forgets one of them is caught here.
TEST(InstalledTree, CarriesOneVersionThroughout) {
    const fs::path prefix = packaging_test::install_fresh_prefix();
    ASSERT_FALSE(prefix.empty());
    const CommandResult version = run_command({(prefix / "bin/talvena").string(), "--version"});
    EXPECT_EQ(version.exit_code, 0);
    EXPECT_EQ(version.output, "talvena " + VERSION + "\n");

    std::smatch match;
    const std::string metainfo = file_bytes(prefix / METAINFO);
    ASSERT_TRUE(std::regex_search(metainfo, match, std::regex("<release version=\"([^\"]*)\"")));
    EXPECT_EQ(match[1], VERSION) << "the newest release is listed first";

    const CommandResult changelog =
        run_command({"gzip", "-dc", (prefix / "share/doc/talvena/changelog.gz").string()});
    EXPECT_EQ(changelog.exit_code, 0);
    EXPECT_TRUE(changelog.output.starts_with("talvena (" + VERSION + ") ")) << changelog.output;

    const std::string manual = file_bytes(prefix / MANUAL);
    EXPECT_NE(manual.find(".TH TALVENA 1 \""), std::string::npos);
    EXPECT_NE(manual.find("\"talvena " + VERSION + "\""), std::string::npos);
}

// Every option that --help lists is described, and so are the files, the folders, the
// environment (the help file's variable included) and the exit codes.
TEST(InstalledTree, ManualPageCoversTheOptionsFilesAndEnvironment) {
    const fs::path prefix = packaging_test::install_fresh_prefix();
    ASSERT_FALSE(prefix.empty());
    const std::string manual = file_bytes(prefix / MANUAL);
    const CommandResult help = run_command({(prefix / "bin/talvena").string(), "--help"});
    ASSERT_EQ(help.exit_code, 0);
    const std::regex option("(^|\\n)  (--[a-z-]+)");
    int32_t options = 0;
    for (auto it = std::sregex_iterator(help.output.begin(), help.output.end(), option);
         it != std::sregex_iterator(); ++it, ++options) {
        std::string escaped; // as roff writes it: every '-' as "\-"
        for (const char c : (*it)[2].str())
            escaped += c == '-' ? std::string("\\-") : std::string(1, c);
        EXPECT_NE(manual.find(escaped), std::string::npos) << (*it)[2] << " is not described";
    }
    EXPECT_GT(options, 10) << help.output;
    for (const char* part :
         {".SH OPTIONS", ".SH FILES", ".SH FOLDERS", ".SH ENVIRONMENT", ".SH EXIT STATUS",
          "NORVEL_HLP", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "talvena.rtr", "talvena\\-trials.csv",
          "talvena.sym", "parameters.ini", ".SH THE PARAMETER DIALOG", ".SS The card check",
          ".SH TRAINING", ".SH VISION TEST", ".SH RESULTS CHART"})
        EXPECT_NE(manual.find(part), std::string::npos) << part;
}

// What the manual page names for further reading is installed: no page may send a user to the
// source tree.
TEST(InstalledTree, ManualPageNamesOnlyInstalledDocuments) {
    const fs::path prefix = packaging_test::install_fresh_prefix();
    ASSERT_FALSE(prefix.empty());
    std::string manual = file_bytes(prefix / MANUAL);
    manual = std::regex_replace(manual, std::regex(R"(\\-)"),
                                "-"); // roff writes a minus with a backslash
    const std::regex document("/usr/share/doc/talvena/([A-Za-z0-9._-]+)");
    int32_t named = 0;
    for (auto it = std::sregex_iterator(manual.begin(), manual.end(), document);
         it != std::sregex_iterator(); ++it, ++named)
        EXPECT_TRUE(fs::exists(prefix / "share/doc/talvena" / (*it)[1].str())) << (*it)[0];
    EXPECT_GT(named, 0);
    EXPECT_EQ(manual.find("source tree"), std::string::npos);
}

// The program is built hardened as a Debian package is: relocations read-only and bound at load,
// the C library's checked functions in use, a position-independent executable. (Not so in the
// sanitizer builds, which bring their own checks.)
TEST(InstalledTree, ProgramIsHardened) {
    if (!TALVENA_HARDENED)
        GTEST_SKIP() << "a sanitizer build is not hardened";
    if (!packaging_test::tool_present("readelf"))
        GTEST_SKIP() << "readelf is not installed";
    const fs::path prefix = packaging_test::install_fresh_prefix();
    ASSERT_FALSE(prefix.empty());
    const std::string program = (prefix / "bin/talvena").string();
    const CommandResult headers = run_command({"readelf", "--wide", "-h", "-l", "-d", program});
    ASSERT_EQ(headers.exit_code, 0) << headers.output;
    EXPECT_NE(headers.output.find("DYN (Position-Independent Executable file)"), std::string::npos);
    EXPECT_NE(headers.output.find("GNU_RELRO"), std::string::npos);
    EXPECT_TRUE(std::regex_search(headers.output, std::regex(R"(\(FLAGS_1\)\s+Flags:.*\bNOW\b)")))
        << headers.output;
    const CommandResult symbols = run_command({"readelf", "--wide", "--dyn-syms", program});
    EXPECT_TRUE(std::regex_search(symbols.output, std::regex(R"(__\w+_chk\b)")))
        << "no fortified function is called";
    EXPECT_NE(symbols.output.find("__stack_chk_fail"), std::string::npos);
}

// One installed file judged by the checker its format has.
struct Validation {
    const char* name;
    const char* tool;                 // skipped when it is not installed
    std::vector<std::string> command; // the file is added as the last word
    std::string file;
};

// Test names in ctest name the check, not the bytes of the parameter.
void PrintTo(const Validation& check, std::ostream* out) {
    *out << check.name;
}

class InstalledFileValidation : public testing::TestWithParam<Validation> {};

TEST_P(InstalledFileValidation, PassesItsChecker) {
    const Validation& check = GetParam();
    if (!packaging_test::tool_present(check.tool))
        GTEST_SKIP() << check.tool << " is not installed";
    const fs::path prefix = packaging_test::install_fresh_prefix();
    ASSERT_FALSE(prefix.empty());
    std::vector<std::string> command = check.command;
    command.push_back((prefix / check.file).string());
    const CommandResult result = run_command(command);
    EXPECT_EQ(result.exit_code, 0) << result.output;
    // appstreamcli always sums up what it found; the others say nothing when all is well.
    if (std::string(check.tool) != "appstreamcli") {
        EXPECT_EQ(result.output, "") << "hints or warnings";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Checkers, InstalledFileValidation,
    testing::Values(
        Validation{
            "DesktopEntry", "desktop-file-validate", {"desktop-file-validate"}, DESKTOP_ENTRY},
        Validation{"AppStream", "appstreamcli", {"appstreamcli", "validate", "--no-net"}, METAINFO},
        // groff's warnings on the page, as lintian asks man-db for them.
        Validation{"Manual",
                   "man",
                   {"sh", "-c", "man --warnings -E UTF-8 -l -Tutf8 -Z \"$1\" >/dev/null", "sh"},
                   MANUAL}),
    [](const testing::TestParamInfo<Validation>& param) { return param.param.name; });

} // namespace
