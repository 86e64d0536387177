// The results file: the reference records (every *records.tsv) written and read back, the sample
// history, appending, failures that leave the file as it was, and the two reading passes.
#include "app/failure_reasons.h"
#include "app/results_file.h"
#include "framework/program/program_state.h"
#include "runtime/cp1251.h"
#include "runtime/trace.h"
#include "tests/app/appending_fixture.h"
#include "tests/support/fixtures.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using appending_fixture::DataFolder;
using appending_fixture::FailureCase;
using appending_fixture::file_bytes;
using appending_fixture::FileSizeLimit;
using appending_fixture::folder_state;
using appending_fixture::RecordEvents;
using appending_fixture::TempFolder;
using appending_fixture::unwritable_places;
using appending_fixture::write_bytes;

const std::string HEADER_UTF8 = "     Дата             Время        Дальность    Размер Nпоказов "
                                "Nверн_отв Nошибок Nнет_отв Ср.вр._отв    Nотжиманий";

fs::path results_fixtures() {
    return test_support::fixtures_dir() / "results";
}

// The lines of a CP1251 file without their CR LF.
std::vector<std::string> file_lines(const fs::path& path) {
    std::vector<std::string> lines;
    std::istringstream in(file_bytes(path));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string crlf_lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// --- The reference records ----------------------------------------------------------------

struct ReferenceRecord {
    std::string file;
    int line = 0;
    char kind = '?';
    std::vector<std::string> values;
    std::string record; // CP1251, as on disk without the CR LF
};

void PrintTo(const ReferenceRecord& record, std::ostream* out) {
    *out << record.file << ':' << record.line;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

// Every line after the header of every table whose name ends in records.tsv.
std::vector<ReferenceRecord> reference_records() {
    std::vector<fs::path> tables;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(results_fixtures(), error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() >= 11 && name.ends_with("records.tsv"))
            tables.push_back(entry.path());
    }
    std::sort(tables.begin(), tables.end());
    std::vector<ReferenceRecord> records;
    for (const fs::path& table : tables) {
        std::ifstream in(table);
        std::string text;
        for (int number = 1; std::getline(in, text); ++number) {
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            if (number == 1 || text.empty())
                continue;
            const std::vector<std::string> columns = split(text, '\t');
            ReferenceRecord record;
            record.file = table.filename().string();
            record.line = number;
            if (columns.size() == 3 && columns[0].size() == 1 && columns[2].size() >= 2) {
                record.kind = columns[0][0];
                record.values = split(columns[1], ' ');
                record.record = utf8_to_cp1251(columns[2].substr(1, columns[2].size() - 2));
            }
            records.push_back(std::move(record));
        }
    }
    return records;
}

int32_t integer_value(const std::string& text) {
    int32_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(result.ec == std::errc() && result.ptr == text.data() + text.size()) << text;
    return value;
}

float real_value(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    float value = 0.0f;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(result.ec == std::errc() && result.ptr == text.data() + text.size()) << text;
    return value;
}

ResultsStamp stamp_of(const std::vector<std::string>& values) {
    return {integer_value(values[0]), integer_value(values[1]), integer_value(values[2]),
            integer_value(values[3]), integer_value(values[4]), integer_value(values[5])};
}

VisionRecord vision_of(const std::vector<std::string>& v) {
    return {stamp_of(v),         real_value(v[6]),    real_value(v[7]),
            integer_value(v[8]), integer_value(v[9]), real_value(v[10])};
}

TrainingRecord training_of(const std::vector<std::string>& v) {
    return {stamp_of(v),          real_value(v[6]),    integer_value(v[7]),
            integer_value(v[8]),  integer_value(v[9]), integer_value(v[10]),
            integer_value(v[11]), real_value(v[12]),   integer_value(v[13])};
}

class ReferenceRecords : public testing::TestWithParam<ReferenceRecord> {};

TEST_P(ReferenceRecords, ComeOutByteForByte) {
    const ReferenceRecord& reference = GetParam();
    ASSERT_TRUE(reference.kind == 'V' || reference.kind == 'T') << "malformed table line";
    if (reference.kind == 'V') {
        ASSERT_EQ(reference.values.size(), 11u);
        const std::string line = app_format_vision_record(vision_of(reference.values));
        EXPECT_EQ(line.size(), 80u);
        EXPECT_EQ(cp1251_to_utf8(line), cp1251_to_utf8(reference.record));
        EXPECT_EQ(line, reference.record);
    } else {
        ASSERT_EQ(reference.values.size(), 14u);
        const std::string line = app_format_training_record(training_of(reference.values));
        EXPECT_EQ(line.size(), 115u);
        EXPECT_EQ(cp1251_to_utf8(line), cp1251_to_utf8(reference.record));
        EXPECT_EQ(line, reference.record);
    }
}

// Whether any of the 1-based column ranges holds an asterisk: a field that did not fit.
bool has_asterisks(const std::string& record, std::initializer_list<std::pair<int, int>> ranges) {
    for (const auto& [first, last] : ranges) {
        const std::string field =
            record.substr(static_cast<size_t>(first - 1), static_cast<size_t>(last - first + 1));
        if (field.find('*') != std::string::npos)
            return true;
    }
    return false;
}

std::string column_text(const std::string& record, int first, int last) {
    return record.substr(static_cast<size_t>(first - 1), static_cast<size_t>(last - first + 1));
}

// A file of the header and the one record, read by both passes. A record whose fields hold
// asterisks (its date's or its values') stops both passes on line 2; the others give the values
// back as their columns show them (reals) or as they were written (integers).
TEST_P(ReferenceRecords, ReadBackByBothPasses) {
    const ReferenceRecord& reference = GetParam();
    ASSERT_TRUE(reference.kind == 'V' || reference.kind == 'T') << "malformed table line";
    const std::string& record = reference.record;
    TempFolder folder;
    const fs::path path = folder.path() / RESULTS_FILE_NAME;
    write_bytes(path, crlf_lines({utf8_to_cp1251(HEADER_UTF8), record}));

    const bool date_unreadable =
        has_asterisks(record, {{2, 3}, {5, 6}, {8, 11}, {16, 17}, {22, 23}, {28, 29}});
    const bool values_unreadable =
        reference.kind == 'V'
            ? has_asterisks(record, {{37, 43}, {77, 80}})
            : has_asterisks(record, {{37, 43}, {51, 54}, {60, 63}, {97, 103}, {112, 115}});

    const bool stops = date_unreadable || values_unreadable;
    std::vector<ResultsStamp> stamps;
    const ResultsPass dates =
        app_read_results_dates(path, [&](const ResultsStamp& stamp) { stamps.push_back(stamp); });
    EXPECT_TRUE(dates.opened);
    EXPECT_EQ(dates.records, stops ? 0 : 1);
    EXPECT_EQ(dates.stopped_line, stops ? 2 : 0);
    if (!stops) {
        EXPECT_EQ(stamps, std::vector<ResultsStamp>{stamp_of(reference.values)});
    }

    std::vector<ResultsEntry> entries;
    const ResultsPass values =
        app_read_results_values(path, [&](const ResultsEntry& entry) { entries.push_back(entry); });
    EXPECT_EQ(values.records, stops ? 0 : 1);
    EXPECT_EQ(values.stopped_line, stops ? 2 : 0);
    if (stops) {
        EXPECT_TRUE(entries.empty());
        return;
    }
    ASSERT_EQ(entries.size(), 1u);
    const ResultsEntry& entry = entries[0];
    const std::vector<std::string>& v = reference.values;
    EXPECT_EQ(entry.stamp, stamp_of(v));
    EXPECT_EQ(entry.distance_cm, real_value(column_text(record, 37, 43)));
    EXPECT_NEAR(entry.distance_cm, real_value(v[6]), 0.0501f);
    if (reference.kind == 'V') {
        EXPECT_EQ(entry.kind, ResultsEntry::Kind::vision);
        EXPECT_EQ(entry.acuity, real_value(column_text(record, 77, 80)));
        EXPECT_NEAR(entry.acuity, real_value(v[10]), 0.0051f);
    } else {
        EXPECT_EQ(entry.kind, ResultsEntry::Kind::training);
        EXPECT_EQ(entry.cell_size, integer_value(v[7]));
        EXPECT_EQ(entry.images, integer_value(v[8]));
        // Columns 97-103: the first of the eight columns written is not read.
        EXPECT_EQ(entry.mean_time, real_value(column_text(record, 97, 103)));
        EXPECT_EQ(entry.pushups, integer_value(v[13]));
    }
}

std::string record_case_name(const testing::TestParamInfo<ReferenceRecord>& info) {
    std::string name = info.param.file + "_line_" + std::to_string(info.param.line);
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Results, ReferenceRecords, testing::ValuesIn(reference_records()),
                         record_case_name);

TEST(ResultsRecords, TablesAreFoundAndTheHeaderIsItsOwnLine) {
    EXPECT_FALSE(reference_records().empty()) << results_fixtures();
    const std::string header = app_results_header();
    EXPECT_EQ(header.size(), 115u);
    EXPECT_EQ(header, utf8_to_cp1251(HEADER_UTF8));
    EXPECT_EQ(file_lines(results_fixtures() / "talvena.rtr").at(0), header);
}

// --- Reading the sample history -----------------------------------------------------------

TEST(ResultsReading, TheSampleHistoryGivesEveryRecordInBothPasses) {
    const fs::path sample = results_fixtures() / "talvena.rtr";
    std::vector<ResultsStamp> stamps;
    const ResultsPass dates =
        app_read_results_dates(sample, [&](const ResultsStamp& stamp) { stamps.push_back(stamp); });
    EXPECT_TRUE(dates.opened);
    EXPECT_EQ(dates.records, 48);
    EXPECT_EQ(dates.stopped_line, 0);
    ASSERT_EQ(stamps.size(), 48u);
    EXPECT_EQ(stamps.front(), (ResultsStamp{17, 11, 2026, 9, 5, 41}));
    EXPECT_EQ(stamps.back(), (ResultsStamp{7, 12, 2026, 1, 43, 11}));

    std::vector<ResultsEntry> entries;
    const ResultsPass values = app_read_results_values(
        sample, [&](const ResultsEntry& entry) { entries.push_back(entry); });
    EXPECT_EQ(values.records, 48);
    EXPECT_EQ(values.stopped_line, 0);
    ASSERT_EQ(entries.size(), 48u);
    int32_t vision = 0;
    int32_t training = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].stamp, stamps[i]) << i;
        vision += entries[i].kind == ResultsEntry::Kind::vision ? 1 : 0;
        training += entries[i].kind == ResultsEntry::Kind::training ? 1 : 0;
    }
    EXPECT_EQ(vision, 19);
    EXPECT_EQ(training, 29);
    const ResultsEntry& first = entries.front();
    EXPECT_EQ(first.kind, ResultsEntry::Kind::vision);
    EXPECT_FLOAT_EQ(first.distance_cm, 200.0f);
    EXPECT_FLOAT_EQ(first.acuity, 0.6f);
    const ResultsEntry& last = entries.back();
    EXPECT_EQ(last.kind, ResultsEntry::Kind::training);
    EXPECT_FLOAT_EQ(last.distance_cm, 150.0f);
    EXPECT_EQ(last.cell_size, 2);
    EXPECT_EQ(last.images, 100);
    EXPECT_FLOAT_EQ(last.mean_time, 0.94f);
    EXPECT_EQ(last.pushups, 26);
}

struct PassEnd {
    int32_t records = 0;
    int32_t stopped_line = 0;
};

struct DamageCase {
    const char* what;
    // Changes the sample's lines (index 0 is the header line).
    std::function<void(std::vector<std::string>&)> damage;
    PassEnd dates;
    PassEnd values;
    bool last_line_ended = true;
};

// Puts `text` (UTF-8) over the line from the 1-based column on.
void overwrite(std::string& line, int column, const std::string& text) {
    const std::string bytes = utf8_to_cp1251(text);
    line.replace(static_cast<size_t>(column - 1), bytes.size(), bytes);
}

// Line 10 of the sample is the vision test of 20 November, line 11 a training.
TEST(ResultsReading, ADamagedLineEndsThePassAndWhatCameBeforeIsKept) {
    const std::vector<DamageCase> cases = {
        {"asterisks in the minute", [](auto& l) { overwrite(l[9], 22, "**"); }, {8, 10}, {8, 10}},
        {"letters in the day", [](auto& l) { overwrite(l[9], 2, "2O"); }, {8, 10}, {8, 10}},
        {"month 13", [](auto& l) { overwrite(l[9], 5, "13"); }, {8, 10}, {8, 10}},
        {"31 April", [](auto& l) { overwrite(l[9], 2, "31.04"); }, {8, 10}, {8, 10}},
        {"29 February 1900", [](auto& l) { overwrite(l[9], 2, "29.02.1900"); }, {8, 10}, {8, 10}},
        {"year 0", [](auto& l) { overwrite(l[9], 8, "   0"); }, {8, 10}, {8, 10}},
        {"29 February 2000 is a date",
         [](auto& l) { overwrite(l[9], 2, "29.02.2000"); },
         {48, 0},
         {48, 0}},
        // A line whose date reads but whose values do not ends both passes there.
        {"asterisks in the distance",
         [](auto& l) { overwrite(l[9], 37, "*******"); },
         {8, 10},
         {8, 10}},
        {"letters in the acuity", [](auto& l) { overwrite(l[9], 77, "0.7x"); }, {8, 10}, {8, 10}},
        {"asterisks in the training's images",
         [](auto& l) { overwrite(l[10], 60, "****"); },
         {9, 11},
         {9, 11}},
        {"a line of another kind counts", [](auto& l) { l[9].resize(36); }, {48, 0}, {48, 0}},
        {"text after column 120 is not read",
         [](auto& l) { l[10] += "     " + utf8_to_cp1251("и ещё немного текста"); },
         {48, 0},
         {48, 0}},
        {"the last line without its line end", [](auto&) {}, {48, 0}, {48, 0}, false},
        {"no header: the first record is lost",
         [](auto& l) { l.erase(l.begin()); },
         {47, 0},
         {47, 0}},
        {"only the header", [](auto& l) { l.resize(1); }, {0, 0}, {0, 0}},
    };
    const std::vector<std::string> sample = file_lines(results_fixtures() / "talvena.rtr");
    ASSERT_EQ(sample.size(), 49u);
    TempFolder folder;
    const fs::path path = folder.path() / RESULTS_FILE_NAME;
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> lines = sample;
        c.damage(lines);
        std::string text = crlf_lines(lines);
        if (!c.last_line_ended)
            text.resize(text.size() - 2);
        write_bytes(path, text);

        int32_t stamps = 0;
        const ResultsPass dates = app_read_results_dates(path, [&](const auto&) { ++stamps; });
        EXPECT_TRUE(dates.opened);
        EXPECT_EQ(dates.records, c.dates.records);
        EXPECT_EQ(stamps, c.dates.records);
        EXPECT_EQ(dates.stopped_line, c.dates.stopped_line);

        std::vector<ResultsEntry> entries;
        const ResultsPass values =
            app_read_results_values(path, [&](const auto& entry) { entries.push_back(entry); });
        EXPECT_EQ(values.records, c.values.records);
        EXPECT_EQ(static_cast<int32_t>(entries.size()), c.values.records);
        EXPECT_EQ(values.stopped_line, c.values.stopped_line);
        // Neither a vision test nor a training: read, counted, and nothing more.
        if (entries.size() == 48u) {
            EXPECT_EQ(entries[8].kind, lines[9].size() == 36 ? ResultsEntry::Kind::other
                                                             : ResultsEntry::Kind::vision);
        }
    }
}

TEST(ResultsReading, NoFileOrAnEmptyOneGivesNoData) {
    TempFolder folder;
    int32_t calls = 0;
    const ResultsPass missing =
        app_read_results_dates(folder.path() / RESULTS_FILE_NAME, [&](const auto&) { ++calls; });
    EXPECT_FALSE(missing.opened);
    EXPECT_FALSE(app_read_results_values(folder.path() / RESULTS_FILE_NAME, [&](const auto&) {
                     ++calls;
                 }).opened);
    EXPECT_FALSE(app_read_results_values(folder.path(), [&](const auto&) { ++calls; }).opened);

    write_bytes(folder.path() / RESULTS_FILE_NAME, "");
    const ResultsPass empty =
        app_read_results_values(folder.path() / RESULTS_FILE_NAME, [&](const auto&) { ++calls; });
    EXPECT_TRUE(empty.opened);
    EXPECT_EQ(empty.records, 0);
    EXPECT_EQ(empty.stopped_line, 0);
    EXPECT_EQ(calls, 0);
}

// --- Appending ----------------------------------------------------------------------------

const VisionRecord VISION = {{7, 12, 2026, 9, 5, 3}, 200.0f, 17.7f, 768, 1024, 0.8f};
const TrainingRecord TRAINING = {{7, 12, 2026, 9, 5, 3}, 200.0f, 2, 100, 90, 6, 4, 1.234f, 23};

TEST(ResultsAppending, ANewFileGetsTheHeaderThenEveryRecordFollows) {
    TempFolder folder;
    DataFolder data(folder.path());
    RecordEvents events;
    const fs::path path = folder.path() / RESULTS_FILE_NAME;

    EXPECT_TRUE(app_append_vision_record(VISION).written);
    const std::string vision_line =
        " 07.12.2026г,   9час  5мин  3сек, D=  200.0см  DD=17.7  ny= 768 nx=1024 OZ2=0.80";
    EXPECT_EQ(file_bytes(path), utf8_to_cp1251(HEADER_UTF8 + "\r\n" + vision_line + "\r\n"));

    const AppendOutcome outcome = app_append_training_record(TRAINING);
    EXPECT_TRUE(outcome.written);
    EXPECT_EQ(outcome.reason, "");
    EXPECT_EQ(file_bytes(path),
              utf8_to_cp1251(HEADER_UTF8 + "\r\n" + vision_line + "\r\n" +
                             " 07.12.2026г,   9час  5мин  3сек, D=  200.0см  Is=   2  Nп= 100 "
                             "Nв=  90 Nош=   6 Nно=   4 t_ср=    1.23с  Nотж=  23\r\n"));
    EXPECT_EQ(events.events(),
              (std::vector<std::string>{"record kind=vision", "record kind=training"}));
    app_report_record_failure(outcome);
    EXPECT_EQ(events.events().size(), 2u) << "no box for a record that was written";
}

TEST(ResultsAppending, AnExistingFileKeepsWhatItHadAndGetsNoSecondHeader) {
    TempFolder folder;
    const fs::path path = folder.path() / RESULTS_FILE_NAME;
    const std::string sample = file_bytes(results_fixtures() / "talvena.rtr");
    write_bytes(path, sample);
    const std::string line = app_format_training_record(TRAINING);
    EXPECT_TRUE(app_append_results_line(path, line).written);
    EXPECT_EQ(file_bytes(path), sample + line + "\r\n");
    EXPECT_EQ(app_read_results_values(path, {}).records, 49);
}

// Besides what stands in the file's place: a missing data folder, and the file size limit met
// by a new file's header, by its record, and by a record in an existing file, in part or whole.
// The edges of a file that exists: an empty one gets the header before its first record (both
// reading passes pass over line 1 whatever it holds), and a last line that lost its line end
// gets one before the record instead of the record glued onto it. Either way both passes then
// read every record.
TEST(ResultsAppending, AnEmptyFileGetsTheHeaderAndALastLineGetsItsLineEnd) {
    const std::string sample = file_bytes(results_fixtures() / "talvena.rtr");
    const std::string record = app_format_vision_record(VISION);
    const struct {
        const char* what;
        std::string before;
        std::string after;
        int32_t records;
    } cases[] = {
        {"an empty file", "", utf8_to_cp1251(HEADER_UTF8) + "\r\n" + record + "\r\n", 1},
        {"a last line without its line end", sample.substr(0, sample.size() - 2),
         sample + record + "\r\n", 49},
        {"a last line ended by LF alone", sample.substr(0, sample.size() - 2) + "\n",
         sample.substr(0, sample.size() - 2) + "\n" + record + "\r\n", 49},
        {"a whole file", sample, sample + record + "\r\n", 49},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const fs::path path = folder.path() / RESULTS_FILE_NAME;
        write_bytes(path, c.before);
        EXPECT_TRUE(app_append_results_line(path, record).written);
        EXPECT_EQ(file_bytes(path), c.after);
        int32_t stamps = 0;
        const ResultsPass dates = app_read_results_dates(path, [&](const auto&) { ++stamps; });
        EXPECT_EQ(dates.records, c.records);
        EXPECT_EQ(dates.stopped_line, 0);
        EXPECT_EQ(app_read_results_values(path, {}).records, c.records);
    }
}

// The user reads why a record was not kept in their own language; the common failures have
// Russian words, the rest the system's text.
TEST(ResultsAppending, ReasonsAreGivenInRussian) {
    const std::pair<int, const char*> errors[] = {
        {ENOSPC, "на диске не осталось места"},
        {EDQUOT, "исчерпана дисковая квота"},
        {EACCES, "нет прав доступа"},
        {EPERM, "нет прав доступа"},
        {EROFS, "файловая система только для чтения"},
        {EISDIR, "на месте файла находится папка"},
        {ENOTDIR, "в пути к файлу стоит не папка"},
        {ENOENT, "папка не найдена"},
        {EIO, "ошибка ввода-вывода"},
        {EFBIG, "файл слишком велик"},
        {EMFILE, "Too many open files"},
    };
    for (const auto& [error, text] : errors)
        EXPECT_EQ(app_error_text(error), text) << error;
    const AppendOutcome outcome = app_append_failure("/d/talvena.rtr", "cannot flush", EIO);
    EXPECT_EQ(outcome.reason, "/d/talvena.rtr: cannot flush: Input/output error");
    EXPECT_EQ(outcome.reason_shown,
              "/d/talvena.rtr: не удалось сохранить на диск: ошибка ввода-вывода");
}

TEST(ResultsAppending, AFailureIsReportedAndLeavesEverythingAsItWas) {
    const std::string sample = file_bytes(results_fixtures() / "talvena.rtr");
    const auto results_in = [](const fs::path& folder) { return folder / RESULTS_FILE_NAME; };
    const auto existing = [sample](const fs::path& folder) {
        write_bytes(folder / RESULTS_FILE_NAME, sample);
        return folder / RESULTS_FILE_NAME;
    };
    std::vector<FailureCase> cases = unwritable_places(RESULTS_FILE_NAME);
    const std::vector<FailureCase> more = {
        {"a data folder that is missing",
         [](const fs::path& folder) { return folder / "gone" / RESULTS_FILE_NAME; },
         "cannot open: No such file or directory"},
        {"no room for a new file's header", results_in, "cannot write: File too large", 50},
        {"no room for a new file's record", results_in, "cannot write: File too large", 117 + 40},
        {"no room for the whole record in an existing file", existing,
         "cannot write: File too large", sample.size() + 40},
        {"no room at all in an existing file", existing, "cannot write: File too large",
         sample.size()},
    };
    cases.insert(cases.end(), more.begin(), more.end());
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const fs::path path = c.prepare(folder.path());
        const std::string before = folder_state(folder.path());
        AppendOutcome outcome;
        {
            FileSizeLimit limit(c.size_limit);
            ASSERT_TRUE(limit.set());
            outcome = app_append_results_line(path, app_format_vision_record(VISION));
        }
        EXPECT_FALSE(outcome.written);
        EXPECT_EQ(outcome.reason, path.string() + ": " + c.reason);
        EXPECT_EQ(folder_state(folder.path()), before);
    }
}

TEST(ResultsAppending, AFailedRecordIsTracedAndThenShownWithTheReason) {
    TempFolder folder;
    DataFolder data(folder.path());
    fs::create_symlink("/dev/full", folder.path() / RESULTS_FILE_NAME);
    const std::string saved_title = framework::program_title();
    framework::set_program_title("talvena");
    RecordEvents events;

    const AppendOutcome outcome = app_append_training_record(TRAINING);
    EXPECT_FALSE(outcome.written);
    const std::string reason =
        (folder.path() / RESULTS_FILE_NAME).string() + ": cannot write: No space left on device";
    EXPECT_EQ(outcome.reason, reason);
    app_report_record_failure(outcome);
    framework::set_program_title(saved_title);

    const std::string shown = (folder.path() / RESULTS_FILE_NAME).string() +
                              ": не удалось записать: на диске не осталось места";
    EXPECT_EQ(outcome.reason_shown, shown);
    const std::string traced_reason = RtTraceField("reason", reason).value;
    EXPECT_EQ(
        events.events(),
        (std::vector<std::string>{
            "record-failed kind=training reason=" + traced_reason,
            "message caption=talvena text=" +
                RtTraceField("text", "Результат не записан в файл talvena.rtr:\n" + shown).value}));
}

} // namespace
