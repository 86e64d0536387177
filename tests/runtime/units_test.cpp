// Numbered units on text files and windows: the results file's appending and reading sequences.
#include "runtime/cp1251.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "runtime/window_units.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const RtFormat HEADER("('     Дата             Время        Дальность    Размер Nпоказов "
                      "Nверн_отв Nошибок Nнет_отв Ср.вр._отв    Nотжиманий')");
const RtFormat VISION_RECORD("(1X,I2.2,'.',I2.2,'.',I4,'г,  ',I2,'час ',I2,'мин ',I2,"
                             "'сек, D=',F7.1,'см  DD=',F4.1,'  ny=',I4,' nx=',I4,' OZ2=',F4.2)");
const RtFormat DATE_LAYOUT("(1X,I2,1X,I2,1X,I4,4X,I2,4X,I2,4X,I2)");

using test_support::file_bytes;
using test_support::FileSizeLimit;
using test_support::write_bytes;

class Units : public testing::Test {
protected:
    // The appending sequence of the vision test and the training.
    void append_record(int32_t day, float acuity) {
        if (rt_open(17, m_results, RtOpenStatus::old_file, RtPosition::append, RtOnError::report) !=
            0) {
            rt_open(17, m_results, RtOpenStatus::new_file, RtPosition::asis);
            rt_write_record(17, HEADER, {});
        }
        rt_write_record(17, VISION_RECORD,
                        {day, 12, 2026, 9, 5, 3, 200.0f, 17.7f, 768, 1024, acuity});
        rt_close(17);
    }

    test_support::TempFolder m_temp;
    const fs::path m_dir = m_temp.path();
    const std::string m_results = (m_dir / "talvena.rtr").string();
};

TEST_F(Units, CreatingThenAppendingGivesHeaderAndRecordsInCp1251WithCrLf) {
    append_record(7, 0.8f);
    append_record(8, 0.0f);
    const std::string expected = utf8_to_cp1251(
        "     Дата             Время        Дальность    Размер Nпоказов Nверн_отв Nошибок "
        "Nнет_отв Ср.вр._отв    Nотжиманий\r\n"
        " 07.12.2026г,   9час  5мин  3сек, D=  200.0см  DD=17.7  ny= 768 nx=1024 OZ2=0.80\r\n"
        " 08.12.2026г,   9час  5мин  3сек, D=  200.0см  DD=17.7  ny= 768 nx=1024 OZ2=0.00\r\n");
    const std::string on_disk = file_bytes(m_results);
    EXPECT_EQ(on_disk, expected);
    EXPECT_EQ(on_disk.find("\r\n"), 115u) << "one byte per character";
    EXPECT_NE(on_disk.find("\xC4\xE0\xF2\xE0"), std::string::npos) << "Дата in CP1251";
}

TEST_F(Units, OpenStatusesReportFailureAndCreateNothing) {
    EXPECT_EQ(rt_open(17, m_results, RtOpenStatus::old_file, RtPosition::append, RtOnError::report),
              ENOENT);
    EXPECT_FALSE(fs::exists(m_results));

    write_bytes(m_results, "kept\r\n");
    EXPECT_EQ(rt_open(17, m_results, RtOpenStatus::new_file, RtPosition::asis, RtOnError::report),
              EEXIST);
    EXPECT_EQ(file_bytes(m_results), "kept\r\n");
    EXPECT_EQ(
        rt_open(17, m_dir.string(), RtOpenStatus::old_file, RtPosition::asis, RtOnError::report),
        EISDIR);
}

// Both reading passes of the results chart, on a file with mixed line ends, a line longer than
// 120 characters and a damaged line.
TEST_F(Units, ReadingPassesStopAtTheEndAndAtTheFirstBadLine) {
    const std::string long_tail(60, 'z');
    write_bytes(m_results, "header\r\n"
                           " 07.12.2026g,   9hr   5min  3sec\r\n"
                           " 08.12.2026g,  10hr  15min 33sec" +
                               long_tail + long_tail + "\n" +
                               " 09.12.2026g,  11hr  **min  3sec\r\n"
                               " 10.12.2026g,  12hr   0min  0sec");
    std::string line;
    ASSERT_EQ(rt_open(12, m_results, RtOpenStatus::old_file, RtPosition::asis, RtOnError::report),
              0);
    ASSERT_EQ(rt_read_line(12, line, 120, RtOnError::report), 0);
    std::vector<std::vector<int32_t>> dates;
    int status = 0;
    for (;;) {
        int32_t day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
        status = rt_read_record(12, DATE_LAYOUT, {&day, &month, &year, &hour, &minute, &second},
                                RtOnError::report);
        if (status != 0)
            break;
        dates.push_back({day, month, year, hour, minute, second});
    }
    rt_close(12);
    EXPECT_EQ(status, RT_IOSTAT_BAD_VALUE);
    EXPECT_EQ(dates, (std::vector<std::vector<int32_t>>{{7, 12, 2026, 9, 5, 3},
                                                        {8, 12, 2026, 10, 15, 33}}));

    // Whole lines: cut to 120, blank-padded, the next read starts on the next line, a last line
    // without a line end still counts, and then the end of the file.
    rt_open(12, m_results, RtOpenStatus::old_file, RtPosition::asis);
    std::vector<std::string> lines;
    while (rt_read_line(12, line, 120, RtOnError::report) == 0)
        lines.push_back(line);
    EXPECT_EQ(rt_read_line(12, line, 120, RtOnError::report), RT_IOSTAT_END);
    rt_close(12);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "header" + std::string(114, ' '));
    EXPECT_EQ(lines[2], " 08.12.2026g,  10hr  15min 33sec" + std::string(88, 'z'));
    EXPECT_EQ(lines[4].substr(0, 33), " 10.12.2026g,  12hr   0min  0sec ");
}

// A line longer than the longest a unit reads is passed over and cannot be read; the line after
// it reads as ever. Lines of exactly the longest length, with CR LF or LF or at the very end, are
// whole lines.
TEST_F(Units, ALineLongerThanTheLongestIsPassedOverAndCannotBeRead) {
    const std::string longest(RT_MAX_LINE_LENGTH, 'x');
    const std::string longer(3 * RT_MAX_LINE_LENGTH + 100000, 'y'); // more than one read chunk
    write_bytes(m_results, longest + "\r\n" + longer + "\r\n" + longest + "\n" + "after\r\n" +
                               longer + longest);
    ASSERT_EQ(rt_open(12, m_results, RtOpenStatus::old_file, RtPosition::asis, RtOnError::report),
              0);
    std::vector<int> statuses;
    std::vector<std::string> lines;
    for (int i = 0; i < 6; ++i) {
        std::string line;
        statuses.push_back(rt_read_line(12, line, RT_MAX_LINE_LENGTH, RtOnError::report));
        if (statuses.back() == 0)
            lines.push_back(line.substr(0, 5));
    }
    rt_close(12);
    EXPECT_EQ(statuses, (std::vector<int>{0, RT_IOSTAT_LINE_TOO_LONG, 0, 0, RT_IOSTAT_LINE_TOO_LONG,
                                          RT_IOSTAT_END}));
    EXPECT_EQ(lines, (std::vector<std::string>{"xxxxx", "xxxxx", "after"}));
}

// What is read must be a regular file: a device that never ends, a pipe that may never be
// written or a folder is refused when it is opened to be read; /dev/full can still be opened
// to be written (and then says it is full).
TEST_F(Units, OnlyARegularFileIsOpenedToBeRead) {
    const fs::path zero_link = m_dir / "zero.rtr";
    fs::create_symlink("/dev/zero", zero_link);
    const fs::path fifo = m_dir / "fifo.rtr";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(rt_open(12, zero_link.string(), RtOpenStatus::old_file, RtPosition::asis,
                      RtOnError::report),
              EINVAL);
    EXPECT_EQ(
        rt_open(12, fifo.string(), RtOpenStatus::old_file, RtPosition::asis, RtOnError::report),
        EINVAL);
    EXPECT_EQ(
        rt_open(12, m_dir.string(), RtOpenStatus::old_file, RtPosition::asis, RtOnError::report),
        EISDIR);
    EXPECT_EQ(
        rt_open(17, "/dev/full", RtOpenStatus::old_file, RtPosition::append, RtOnError::report), 0);
    rt_close(17);
}

TEST_F(Units, EndOfFileIsAStatusWhenAskedFor) {
    write_bytes(m_results, "header\r\n");
    rt_open(12, m_results, RtOpenStatus::old_file, RtPosition::asis);
    std::string line;
    EXPECT_EQ(rt_read_line(12, line, 120, RtOnError::report), 0);
    int32_t day = 0;
    EXPECT_EQ(rt_read_record(12, DATE_LAYOUT, {&day}, RtOnError::report), RT_IOSTAT_END);
    rt_close(12);
}

TEST_F(Units, AppendingFromTwoThreadsKeepsEveryLineWhole) {
    const RtFormat line_format("(I4,'-',I6)");
    rt_open(17, m_results, RtOpenStatus::unknown, RtPosition::append);
    auto writer = [&](int32_t thread) {
        for (int32_t i = 0; i < 100; ++i)
            rt_write_record(17, line_format, {thread, i});
    };
    std::thread first(writer, 1), second(writer, 2);
    first.join();
    second.join();
    rt_close(17);
    std::ifstream in(m_results, std::ios::binary);
    std::string line;
    int lines = 0;
    while (std::getline(in, line)) {
        EXPECT_EQ(line.size(), 12u) << line;
        EXPECT_EQ(line.back(), '\r');
        ++lines;
    }
    EXPECT_EQ(lines, 200);
}

// Failures without an error branch end the program with the file and the reason.
TEST_F(Units, FailuresWithoutAnErrorBranchAreFatalAndNameTheFile) {
    const std::string missing_dir = (m_dir / "no-such-dir" / "talvena.rtr").string();
    EXPECT_EXIT(rt_open(17, missing_dir, RtOpenStatus::new_file, RtPosition::asis),
                testing::ExitedWithCode(2), "no-such-dir/talvena.rtr: .*No such file");
    // A write that the device refuses is reported, not lost.
    EXPECT_EXIT(
        {
            rt_open(17, "/dev/full", RtOpenStatus::old_file, RtPosition::append);
            rt_write_record(17, VISION_RECORD, {7, 12, 2026, 9, 5, 3, 1.0f, 1.0f, 1, 1, 1.0f});
        },
        testing::ExitedWithCode(2), "/dev/full: cannot write: No space left on device");
    // The figure data file: "unknown" creates it empty and the first read ends the program.
    const std::string figures = (m_dir / "talvena.sym").string();
    EXPECT_EXIT(
        {
            int32_t count = 0;
            rt_open(14, figures, RtOpenStatus::unknown, RtPosition::asis);
            rt_read_record(14, RtFormat("(16X,I8)"), {&count});
        },
        testing::ExitedWithCode(2), "talvena.sym: end of file");
    write_bytes(figures, "                    12x\r\n");
    EXPECT_EXIT(
        {
            int32_t count = 0;
            rt_open(14, figures, RtOpenStatus::unknown, RtPosition::asis);
            rt_read_record(14, RtFormat("(16X,I8)"), {&count});
        },
        testing::ExitedWithCode(2), "talvena.sym: Bad value during integer read");
    EXPECT_EXIT(rt_write_record(55, HEADER, {}), testing::ExitedWithCode(2),
                "unit 55 is not connected");
}

// A record that does not fit leaves no part of itself behind: the next record starts on a line of
// its own and the file keeps every byte it had.
TEST_F(Units, AnAppendThatFailsPartWayCutsTheFileBackToItsSize) {
    const std::string before = "header\r\n 07.12.2026 kept\r\n";
    write_bytes(m_results, before);
    ASSERT_EQ(rt_open(17, m_results, RtOpenStatus::old_file, RtPosition::append), 0);
    int status = 0;
    {
        FileSizeLimit limit(before.size() + 10);
        ASSERT_TRUE(limit.set());
        status = rt_write_record(17, VISION_RECORD,
                                 {8, 12, 2026, 9, 5, 3, 200.0f, 17.7f, 768, 1024, 0.8f},
                                 RtOnError::report);
    }
    EXPECT_EQ(status, EFBIG);
    EXPECT_EQ(file_bytes(m_results), before);
    // The unit stays usable once there is room again.
    EXPECT_EQ(rt_write_record(17, RtFormat("('next')"), {}, RtOnError::report), 0);
    rt_close(17);
    EXPECT_EQ(file_bytes(m_results), before + "next\r\n");

    // A write the device refuses outright is reported too.
    ASSERT_EQ(rt_open(17, "/dev/full", RtOpenStatus::old_file, RtPosition::append), 0);
    EXPECT_EQ(rt_write_record(17, HEADER, {}, RtOnError::report), ENOSPC);
    rt_close(17);
}

TEST_F(Units, FlushSucceedsOnFilesAndOnWhatHasNothingToFlush) {
    const std::string fifo = (m_dir / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {m_results, std::string("/dev/full"), fifo}) {
        ASSERT_EQ(rt_open(17, path, RtOpenStatus::unknown, RtPosition::append, RtOnError::report),
                  0)
            << path;
        EXPECT_EQ(rt_flush(17, RtOnError::report), 0) << path;
        rt_close(17);
    }
    rt_connect_unit_to_window(3, 1027);
    EXPECT_EQ(rt_flush(3, RtOnError::report), 0);
    rt_disconnect_unit_window(3);

    EXPECT_EQ(rt_flush(56, RtOnError::report), EBADF);
    EXPECT_EXIT(rt_flush(56), testing::ExitedWithCode(2), "unit 56 is not connected");
}

TEST_F(Units, WritingIntoAReadOnlyDirectoryIsFatal) {
    fs::permissions(m_dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                               fs::perms::others_exec);
    EXPECT_EXIT(
        {
            // Permissions do not bind root: the child gives up root first.
            if (::geteuid() == 0 && ::setresuid(65534, 65534, 65534) != 0)
                std::_Exit(3);
            rt_open(17, m_results, RtOpenStatus::new_file, RtPosition::asis);
        },
        testing::ExitedWithCode(2), "talvena.rtr: cannot open: Permission denied");
    fs::permissions(m_dir, fs::perms::owner_all);
    EXPECT_FALSE(fs::exists(m_results));
}

TEST_F(Units, StopClosesEveryUnit) {
    EXPECT_EXIT(
        {
            rt_open(17, m_results, RtOpenStatus::unknown, RtPosition::append);
            rt_run_stop_actions();
            const int status = rt_write_record(17, HEADER, {}, RtOnError::report);
            std::fprintf(stderr, "status after stop: %d\n", status);
            std::_Exit(0);
        },
        testing::ExitedWithCode(0), "status after stop: 9"); // EBADF
}

TEST(WindowUnits, OpeningWritingAndClosingGoThroughTheRegisteredHooks) {
    std::vector<std::pair<int32_t, std::string>> opened;
    std::vector<std::pair<int32_t, std::string>> written;
    std::vector<std::pair<int32_t, RtWindowClose>> closed;
    rt_set_window_unit_hooks(
        {.on_open_window = [&](int32_t unit, std::string_view title) -> int32_t {
             opened.emplace_back(unit, title);
             return unit == 3 ? -1 : 1024 + unit;
         },
         .on_close_window = [&](int32_t window,
                                RtWindowClose close) { closed.emplace_back(window, close); },
         .on_write_record = [&](int32_t window,
                                std::string_view text) { written.emplace_back(window, text); },
         .standard_window = [] { return 1024; }});
    EXPECT_EQ(rt_open(1, "USER", RtOpenStatus::unknown, RtPosition::asis), RT_IOSTAT_OK);
    EXPECT_EQ(rt_open_window(2, "Итоги"), RT_IOSTAT_OK);
    EXPECT_EQ(rt_open_window(3, "", RtOnError::report), EIO) << "no window for unit 3";
    EXPECT_FALSE(rt_unit_window(3).has_value());
    rt_write_record(1, RtFormat("('Дата ',I2.2)"), {7});
    rt_write_line(RT_STANDARD_OUTPUT_UNIT, "stop");
    EXPECT_TRUE(rt_unit_writes_to_window(RT_STANDARD_ERROR_UNIT));
    rt_close(1, RtWindowClose::keep);
    rt_close(2);
    rt_set_window_unit_hooks({});
    EXPECT_EQ(opened,
              (std::vector<std::pair<int32_t, std::string>>{{1, ""}, {2, "Итоги"}, {3, ""}}));
    // Records reach the window as stored, in CP1251.
    EXPECT_EQ(written, (std::vector<std::pair<int32_t, std::string>>{
                           {1025, utf8_to_cp1251("Дата 07")}, {1024, "stop"}}));
    EXPECT_EQ(closed, (std::vector<std::pair<int32_t, RtWindowClose>>{
                          {1025, RtWindowClose::keep}, {1026, RtWindowClose::destroy}}));
    EXPECT_FALSE(rt_unit_window(1).has_value());
}

TEST(WindowUnits, WithoutAWindowSystemTheStandardUnitsWriteToTheProcessStreams) {
    EXPECT_EQ(rt_open(4, "USER", RtOpenStatus::unknown, RtPosition::asis, RtOnError::report), EIO);
    EXPECT_FALSE(rt_unit_writes_to_window(RT_STANDARD_OUTPUT_UNIT));
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    rt_write_line(RT_STANDARD_OUTPUT_UNIT, utf8_to_cp1251("Время  9"));
    rt_write_line(RT_STANDARD_ERROR_UNIT, "error");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Время  9\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "error\n");

    // A window unit with nothing registered: the line goes to standard output and closing just
    // disconnects.
    rt_connect_unit_to_window(2, 1026);
    testing::internal::CaptureStdout();
    rt_write_record(2, RtFormat("('Время ',I2)"), {9});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Время  9\n");
    rt_close(2);
    EXPECT_FALSE(rt_unit_window(2).has_value());
}

} // namespace
