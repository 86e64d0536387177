// Replays the edit-descriptor reference tables (every *write.tsv and *read.tsv) and the two
// reference records.
#include "runtime/format.h"
#include "runtime/units.h"
#include "tests/support/fixtures.h"
#include "tests/support/temp_folder.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path tables_dir() {
    return test_support::fixtures_dir() / "edit-descriptors";
}

struct TableLine {
    std::string file;
    int line = 0;
    std::vector<std::string> columns;
};

// Failures name the table line rather than dumping the parameter's bytes.
void PrintTo(const TableLine& line, std::ostream* out) {
    *out << line.file << ':' << line.line;
}

std::vector<std::string> split_tabs(const std::string& text) {
    std::vector<std::string> columns;
    std::stringstream stream(text);
    std::string column;
    while (std::getline(stream, column, '\t'))
        columns.push_back(column);
    if (!text.empty() && text.back() == '\t')
        columns.emplace_back();
    return columns;
}

// The text between the two bars, blanks kept exactly.
std::string between_bars(const std::string& column) {
    EXPECT_TRUE(column.size() >= 2 && column.front() == '|' && column.back() == '|') << column;
    return column.size() >= 2 ? column.substr(1, column.size() - 2) : std::string();
}

// Every line after the header of every table whose name ends in `suffix`.
std::vector<TableLine> table_lines(const std::string& suffix) {
    std::vector<TableLine> lines;
    std::error_code error;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(tables_dir(), error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() >= suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& path : files) {
        std::ifstream in(path);
        std::string text;
        for (int number = 1; std::getline(in, text); ++number) {
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            if (number == 1 || text.empty())
                continue;
            lines.push_back({path.filename().string(), number, split_tabs(text)});
        }
    }
    return lines;
}

std::string case_name(const testing::TestParamInfo<TableLine>& info) {
    std::string name = info.param.file + "_line_" + std::to_string(info.param.line);
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

RtFormat format_of(const std::string& descriptor) {
    return RtFormat(descriptor.front() == '(' ? descriptor : "(" + descriptor + ")");
}

// Value forms of the write table: integers, binary32 literals, d0 doubles, NaN, +Inf, -Inf.
RtValue value_of(const std::string& text) {
    if (text == "NaN")
        return std::numeric_limits<float>::quiet_NaN();
    if (text == "+Inf")
        return std::numeric_limits<float>::infinity();
    if (text == "-Inf")
        return -std::numeric_limits<float>::infinity();
    if (text.size() > 2 && text.compare(text.size() - 2, 2, "d0") == 0)
        return std::strtod(text.substr(0, text.size() - 2).c_str(), nullptr);
    if (text.find('.') != std::string::npos)
        return std::strtof(text.c_str(), nullptr);
    return static_cast<int32_t>(std::stol(text));
}

std::vector<RtValue> values_of(const std::string& text) {
    std::vector<RtValue> values;
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ','))
        values.push_back(value_of(item));
    return values;
}

class WriteTable : public testing::TestWithParam<TableLine> {};

TEST_P(WriteTable, WritesTheReferenceText) {
    const std::vector<std::string>& columns = GetParam().columns;
    ASSERT_GE(columns.size(), 3u);
    const RtFormat format = format_of(columns[0]);
    ASSERT_TRUE(format.ok()) << format.error();
    const std::vector<RtValue> values = values_of(columns[1]);
    const std::string expected = between_bars(columns[2]);

    const std::vector<std::string> records = rt_format_records(format, values);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0], expected);
    // The same characters in a character buffer, the rest of it blank.
    EXPECT_EQ(rt_write_text(format, values, 20), expected + std::string(20 - expected.size(), ' '));
}

INSTANTIATE_TEST_SUITE_P(EditDescriptors, WriteTable, testing::ValuesIn(table_lines("write.tsv")),
                         case_name);

// Reads one record from a temporary text file through a unit, with the program's line ends.
class FileRecord {
public:
    explicit FileRecord(const std::string* record) {
        char name[] = "/tmp/talvena_fixture_XXXXXX";
        const int fd = mkstemp(name);
        EXPECT_GE(fd, 0);
        m_path = name;
        const std::string text = record ? *record + "\r\n" : std::string();
        EXPECT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
        ::close(fd);
    }
    ~FileRecord() { fs::remove(m_path); }

    template <typename Target>
    int read(const RtFormat& format, Target* target) {
        EXPECT_EQ(rt_open(UNIT, m_path, RtOpenStatus::old_file, RtPosition::asis), 0);
        const int status = rt_read_record(UNIT, format, {target}, RtOnError::report);
        rt_close(UNIT);
        return status;
    }

private:
    static constexpr int32_t UNIT = 31;
    std::string m_path;
};

// The iomsg check uses the reader itself; records of a file end a field at a comma.
class OneRecord : public RtRecordSource {
public:
    OneRecord(const std::string* record, bool file) : m_record(record), m_file(file) {}
    bool next_record(std::string& record, RtReadResult&) override {
        if (!m_record || m_taken)
            return false;
        m_taken = true;
        record = *m_record;
        return true;
    }
    bool comma_ends_field() const override { return m_file; }

private:
    const std::string* m_record;
    bool m_file;
    bool m_taken = false;
};

struct ReadOutcome {
    int status = 0;
    int32_t integer = 0;
    float single = 0;
    double real = 0;
    int real_status = 0;
};

class ReadTable : public testing::TestWithParam<TableLine> {};

TEST_P(ReadTable, ReadsTheReferenceValue) {
    const std::vector<std::string>& columns = GetParam().columns;
    ASSERT_GE(columns.size(), 9u);
    const RtFormat format = format_of(columns[0]);
    ASSERT_TRUE(format.ok()) << format.error();
    const bool file = columns[1] == "file";
    const bool no_record = columns[3] == "(no record)";
    const std::string record = no_record ? std::string() : between_bars(columns[3]);
    const std::string* source_record = no_record ? nullptr : &record;
    const bool integer = columns[0].front() == 'I';
    const int expected_status = std::stoi(columns[5]);
    const std::string& expected_message = columns[6];

    ReadOutcome got;
    RtReadResult result;
    if (integer) {
        int32_t ignored = 0;
        const RtTarget targets[] = {&ignored};
        OneRecord source(source_record, file);
        result = rt_read_records(format, source, targets);
        got.status = file ? FileRecord(source_record).read(format, &got.integer)
                          : rt_read_text(record, format, {&got.integer});
    } else {
        float ignored = 0;
        const RtTarget targets[] = {&ignored};
        OneRecord source(source_record, file);
        result = rt_read_records(format, source, targets);
        got.status = file ? FileRecord(source_record).read(format, &got.single)
                          : rt_read_text(record, format, {&got.single});
        got.real_status = file ? FileRecord(source_record).read(format, &got.real)
                               : rt_read_text(record, format, {&got.real});
    }
    EXPECT_EQ(result.status, expected_status);
    EXPECT_EQ(result.message, expected_message);
    EXPECT_EQ(got.status, expected_status);
    if (expected_status != 0)
        return;
    if (integer) {
        EXPECT_EQ(got.integer, std::stol(columns[4]));
        return;
    }
    // The binary32 bits are the authority; the double column is the shortest text of the double.
    EXPECT_EQ(std::bit_cast<uint32_t>(got.single), std::stoul(columns[7], nullptr, 16))
        << "read " << got.single;
    const std::string& as_double = columns[8];
    if (as_double.rfind("ERROR", 0) == 0) {
        EXPECT_EQ(got.real_status, std::stoi(as_double.substr(6)));
    } else {
        ASSERT_EQ(got.real_status, 0);
        const double expected = std::strtod(as_double.c_str(), nullptr);
        if (std::isnan(expected))
            EXPECT_TRUE(std::isnan(got.real));
        else
            EXPECT_EQ(std::bit_cast<uint64_t>(got.real), std::bit_cast<uint64_t>(expected))
                << "read " << got.real << ", expected " << as_double;
    }
}

INSTANTIATE_TEST_SUITE_P(EditDescriptors, ReadTable, testing::ValuesIn(table_lines("read.tsv")),
                         case_name);

TEST(EditDescriptorTables, AreFound) {
    EXPECT_FALSE(table_lines("write.tsv").empty()) << tables_dir();
    EXPECT_FALSE(table_lines("read.tsv").empty()) << tables_dir();
}

// The reference records use ASCII stand-ins for the Russian literals of the results file.
const RtFormat VISION_RECORD("(1X,I2.2,'.',I2.2,'.',I4,'g,  ',I2,'hr  ',I2,'min ',I2,'sec, D=',"
                             "F7.1,'cm  DD=',F4.1,'  ny=',I4,' nx=',I4,' OZ2=',F4.2)");
const RtFormat TRAINING_RECORD(
    "(1X,I2.2,'.',I2.2,'.',I4,'g,  ',I2,'hr  ',I2,'min ',I2,'sec, D=',F7.1,'cm  Is=',I4,"
    "'  Np=',I4,' Nv=',I4,' Nos=',I4,' Nno=',I4,' t_sr=',F8.2,'s  Notj=',I4)");
const RtFormat DATE_LAYOUT("(1X,I2,1X,I2,1X,I4,4X,I2,4X,I2,4X,I2)");
const RtFormat VISION_VALUES("(36X,F7.0,33X,F4.0)");
const RtFormat TRAINING_VALUES("(36X,F7.0,7X,I4,5X,I4,33X,F7.0,8X,I4)");

std::string file_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string with_crlf(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

class ReferenceRecords : public testing::Test {
protected:
    // Writes one record into a new file and checks its date fields read back straight from it.
    std::string write_and_check_date(const RtFormat& format,
                                     std::initializer_list<RtValue> values) {
        rt_open(17, m_path.string(), RtOpenStatus::new_file, RtPosition::asis);
        rt_write_record(17, format, values);
        rt_close(17);
        int32_t day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
        EXPECT_EQ(rt_open(12, m_path.string(), RtOpenStatus::old_file, RtPosition::asis,
                          RtOnError::report),
                  0);
        EXPECT_EQ(rt_read_record(12, DATE_LAYOUT, {&day, &month, &year, &hour, &minute, &second},
                                 RtOnError::report),
                  0);
        rt_close(12);
        EXPECT_EQ(std::vector<int32_t>({day, month, year, hour, minute, second}),
                  std::vector<int32_t>({7, 12, 2026, 9, 5, 3}));
        return file_text(m_path);
    }

    // The whole line as the chart's second pass takes it: 120 characters, blank-padded.
    std::string line_of_120() {
        std::string line;
        rt_open(12, m_path.string(), RtOpenStatus::old_file, RtPosition::asis);
        EXPECT_EQ(rt_read_line(12, line, 120, RtOnError::report), 0);
        rt_close(12);
        EXPECT_EQ(line.size(), 120u);
        return line;
    }

    test_support::TempFolder m_temp;
    const fs::path m_path = m_temp.path() / "records";
};

TEST_F(ReferenceRecords, VisionTestRecordOf80Columns) {
    const std::string text =
        write_and_check_date(VISION_RECORD, {7, 12, 2026, 9, 5, 3, 200.0f, 17.7f, 768, 1024, 0.8f});
    EXPECT_EQ(text, with_crlf(file_text(tables_dir() / "record-80.txt")));

    float distance = 0, acuity = 0;
    EXPECT_EQ(rt_read_text(line_of_120(), VISION_VALUES, {&distance, &acuity}), 0);
    EXPECT_EQ(distance, 200.0f);
    EXPECT_EQ(acuity, 0.8f);
}

TEST_F(ReferenceRecords, TrainingRecordOf115Columns) {
    const std::string text = write_and_check_date(
        TRAINING_RECORD, {7, 12, 2026, 9, 5, 3, 200.0f, 2, 100, 90, 6, 4, 1.234f, 23});
    EXPECT_EQ(text, with_crlf(file_text(tables_dir() / "record-115.txt")));

    float distance = 0, mean_time = 0;
    int32_t cell_size = 0, images = 0, push_ups = 0;
    EXPECT_EQ(rt_read_text(line_of_120(), TRAINING_VALUES,
                           {&distance, &cell_size, &images, &mean_time, &push_ups}),
              0);
    EXPECT_EQ(distance, 200.0f);
    EXPECT_EQ(cell_size, 2);
    EXPECT_EQ(images, 100);
    EXPECT_EQ(mean_time, 1.23f);
    EXPECT_EQ(push_ups, 23);
}

} // namespace
