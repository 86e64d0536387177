// Formats beyond the reference tables: parsing, CP1251 literals, record boundaries, misuse.
#include "runtime/cp1251.h"
#include "runtime/format.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(FormatParse, MalformedFormatsAreReportedNotGuessed) {
    const char* malformed[] = {
        "I2",    "(I2",     "(I0)",   "(F7)",  "(F7.)",  "(F0.1)", "(Q3)",     "(I2,)",
        "(I2))", "(I2 I3)", "('abc)", "(0I2)", "(I2.3)", "(,I2)",  "(I99999)", "(2'ab')",
    };
    for (const char* text : malformed) {
        const RtFormat format(text);
        EXPECT_FALSE(format.ok()) << text;
        EXPECT_FALSE(format.error().empty()) << text;
        EXPECT_TRUE(format.items().empty()) << text;
    }
    EXPECT_TRUE(RtFormat(" ( 1X , i2.2 , f7.1 , 3x ) ").ok());
    EXPECT_TRUE(RtFormat("()").ok());
}

TEST(FormatParseDeathTest, UsingAMalformedFormatEndsTheProgramNamingIt) {
    EXPECT_EXIT(rt_write_text(RtFormat("(I2,Z)"), {1}), testing::ExitedWithCode(2),
                "\\(I2,Z\\).*unknown edit descriptor");
    int32_t value = 0;
    EXPECT_EXIT(rt_read_text(" 1", RtFormat("(F7)"), {&value}), testing::ExitedWithCode(2),
                "\\(F7\\)");
}

TEST(FormatWrite, LiteralsQuotesAndRussianTextInCp1251) {
    EXPECT_EQ(rt_format_records(RtFormat("('it''s',\"say \"\"hi\"\"\",'\"',\"'\")"), {})[0],
              "it'ssay \"hi\"\"'");
    const std::string record = rt_format_records(
        RtFormat("(I4,'г,  ',I2,'час ',I2,'мин ',I2,'сек, D=',F7.1)"), {2026, 9, 5, 3, 200.0f})[0];
    EXPECT_EQ(record, utf8_to_cp1251("2026г,   9час  5мин  3сек, D=  200.0"));
    EXPECT_EQ(record.size(), 36u); // one byte per character
}

// The results file's layouts, with their Russian literals, have the widths the reader relies on.
TEST(FormatWrite, ResultsFileLayoutsHaveTheirWidths) {
    const RtFormat header("('     Дата             Время        Дальность    Размер Nпоказов "
                          "Nверн_отв Nошибок Nнет_отв Ср.вр._отв    Nотжиманий')");
    const RtFormat vision("(1X,I2.2,'.',I2.2,'.',I4,'г,  ',I2,'час ',I2,'мин ',I2,'сек, D=',F7.1,"
                          "'см  DD=',F4.1,'  ny=',I4,' nx=',I4,' OZ2=',F4.2)");
    const RtFormat training(
        "(1X,I2.2,'.',I2.2,'.',I4,'г,  ',I2,'час ',I2,'мин ',I2,'сек, D=',F7.1,'см  Is=',I4,"
        "'  Nп=',I4,' Nв=',I4,' Nош=',I4,' Nно=',I4,' t_ср=',F8.2,'с  Nотж=',I4)");
    EXPECT_EQ(rt_format_records(header, {})[0].size(), 115u);
    const std::string v =
        rt_format_records(vision, {7, 12, 2026, 9, 5, 3, 200.0f, 17.7f, 768, 1024, 0.0f})[0];
    EXPECT_EQ(v.size(), 80u);
    EXPECT_EQ(v.substr(0, 11), " 07.12.2026");
    EXPECT_EQ(v.substr(47, 2), "DD");
    EXPECT_EQ(v.substr(76), "0.00");
    const std::string t = rt_format_records(
        training, {7, 12, 2026, 9, 5, 3, 200.0f, 2, 100, 90, 6, 4, 1.234f, 23})[0];
    EXPECT_EQ(t.size(), 115u);
    EXPECT_EQ(t.substr(47, 2), "Is");
    EXPECT_EQ(t.substr(95, 8), "    1.23");
}

TEST(FormatWrite, RecordBoundaries) {
    struct Case {
        const char* format;
        std::vector<RtValue> values;
        std::vector<std::string> records;
    };
    const Case cases[] = {
        // Values run out: literals up to the next field are still written.
        {"('a',I2,'b',I2,'c')", {1}, {"a 1b"}},
        {"('hdr',I2)", {}, {"hdr"}},
        // The format runs out: a new record starts from its beginning.
        {"(3I4)", {1, 2, 3, 4, 5, 6, 7}, {"   1   2   3", "   4   5   6", "   7"}},
        {"(2X,I1,2X)", {1, 2}, {"  1", "  2"}},
        {"(I11)", {std::numeric_limits<int32_t>::min()}, {"-2147483648"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rt_format_records(RtFormat(c.format), c.values), c.records) << c.format;
}

TEST(FormatWriteDeathTest, MisuseEndsTheProgram) {
    EXPECT_EXIT(rt_write_text(RtFormat("(I4)"), {1.5f}), testing::ExitedWithCode(2),
                "I needs an integer");
    EXPECT_EXIT(rt_write_text(RtFormat("(F4.1)"), {2}), testing::ExitedWithCode(2),
                "F needs a real");
    EXPECT_EXIT(rt_write_text(RtFormat("(I4)"), {1}, 3), testing::ExitedWithCode(2),
                "does not fit");
    EXPECT_EXIT(rt_write_text(RtFormat("('x')"), {1}), testing::ExitedWithCode(2),
                "more values than fields");
}

// Records handed out in turn, as lines of a file.
class Lines : public RtRecordSource {
public:
    explicit Lines(std::vector<std::string> lines) : m_lines(std::move(lines)) {}
    bool next_record(std::string& record, RtReadResult&) override {
        if (m_next == m_lines.size())
            return false;
        record = m_lines[m_next++];
        return true;
    }
    bool comma_ends_field() const override { return true; }

private:
    std::vector<std::string> m_lines;
    size_t m_next = 0;
};

TEST(FormatRead, TheFormatStartsOverOnTheNextRecord) {
    // The figure data's point lines: values continue on the next line until all are read.
    Lines lines({"   1   2   3   4", "   5   6   7   8", "   9"});
    int32_t v[9] = {};
    const RtTarget targets[] = {&v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8]};
    EXPECT_EQ(rt_read_records(RtFormat("(4I4)"), lines, targets).status, 0);
    EXPECT_EQ(std::vector<int32_t>(v, v + 9), std::vector<int32_t>({1, 2, 3, 4, 5, 6, 7, 8, 9}));

    Lines short_file({"   1   2"});
    EXPECT_EQ(rt_read_records(RtFormat("(2I4)"), short_file, targets).status, RT_IOSTAT_END);
}

TEST(FormatRead, FieldsAfterACommaAndAfterAFailure) {
    // In a file record a comma ends the field and the next field starts after it.
    Lines lines({"1,5 7"});
    float real = 0;
    int32_t integer = 0;
    const RtTarget targets[] = {&real, &integer};
    EXPECT_EQ(rt_read_records(RtFormat("(F4.0,I2)"), lines, targets).status, 0);
    EXPECT_EQ(real, 1.0f);
    EXPECT_EQ(integer, 5);

    // A bad field stops the read: what came before is stored, what follows is left alone.
    int32_t first = -1, second = -1, third = -1;
    EXPECT_EQ(rt_read_text(" 5x1 3", RtFormat("(3I2)"), {&first, &second, &third}),
              RT_IOSTAT_BAD_VALUE);
    EXPECT_EQ(first, 5);
    EXPECT_EQ(second, -1);
    EXPECT_EQ(third, -1);
}

TEST(FormatRead, ImpliedDecimalsMoveThePointInTheText) {
    struct Case {
        const char* format;
        const char* text;
        float expected;
    };
    const Case cases[] = {
        {"(F10.5)", "1", 0.00001f}, {"(F10.3)", "-12", -0.012f},    {"(F10.1)", "3e-1", 0.03f},
        {"(F10.2)", "1.5", 1.5f},   {"(F6.2)", "123456", 1234.56f}, {"(F10.2)", "-", 0.0f},
        {"(F10.9)", "1", 1e-9f},
    };
    for (const Case& c : cases) {
        float value = -99;
        EXPECT_EQ(rt_read_text(c.text, RtFormat(c.format), {&value}), 0) << c.text;
        EXPECT_EQ(value, c.expected) << c.format << " " << c.text;
    }
}

TEST(FormatReadDeathTest, ATargetOfTheWrongKindEndsTheProgram) {
    int32_t integer = 0;
    float real = 0;
    EXPECT_EXIT(rt_read_text("1.5", RtFormat("(F4.1)"), {&integer}), testing::ExitedWithCode(2),
                "F needs a real");
    EXPECT_EXIT(rt_read_text("15", RtFormat("(I4)"), {&real}), testing::ExitedWithCode(2),
                "I needs an integer");
}

} // namespace
