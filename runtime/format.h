// Fixed-column formatted I/O: formats (Iw, Iw.m, Fw.d, nX, literals), record writing and reading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// I/O status values, as the program tests them: 0 success, negative end of file, positive error.
// Failures of the operating system report their errno value. A read reports its message too
// (RtReadResult): "End of file", "Bad value during integer read", ...
inline constexpr int RT_IOSTAT_OK = 0;
inline constexpr int RT_IOSTAT_END = -1;
inline constexpr int RT_IOSTAT_BAD_VALUE = 5010;
inline constexpr int RT_IOSTAT_OVERFLOW = 5011;
// A line longer than RT_MAX_LINE_LENGTH: it is passed over whole and cannot be read.
inline constexpr int RT_IOSTAT_LINE_TOO_LONG = 5012;

// One item of a parsed format.
struct RtFormatItem {
    enum class Kind { integer, fixed, skip, literal };
    Kind kind = Kind::skip;
    int32_t width = 0;       // Iw, Fw: field width; nX: n
    int32_t min_digits = -1; // Iw.m: m, or -1 without .m
    int32_t decimals = 0;    // Fw.d: d
    std::string text;        // literal, already in CP1251
};

// A format parsed once and reused. The text is UTF-8, e.g. "(1X,I2.2,'.',I2.2,'г,  ',F7.1)";
// a repeat count may stand before I and F ("20I4"). A malformed format is a programmer error:
// ok() is false and error() says what is wrong; using it ends the program with that message.
class RtFormat {
public:
    explicit RtFormat(std::string_view text);

    bool ok() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }
    const std::string& text() const { return m_text; }
    const std::vector<RtFormatItem>& items() const { return m_items; }
    bool has_data_items() const;

private:
    std::string m_text;
    std::string m_error;
    std::vector<RtFormatItem> m_items;
};

// A value to write and a place to read into.
using RtValue = std::variant<int32_t, float, double>;
using RtTarget = std::variant<int32_t*, float*, double*>;

// Writes the values with the format into records (CP1251, no line ends). When the values run
// out, writing stops at the next I or F; when the format runs out first, a new record starts
// from the beginning of the format. A trailing nX adds nothing to a record.
// A malformed format, a value of the wrong kind for its descriptor or a format without I or F
// for leftover values ends the program (rt_fatal_error).
std::vector<std::string> rt_format_records(const RtFormat& format, std::span<const RtValue> values);
inline std::vector<std::string> rt_format_records(const RtFormat& format,
                                                  std::initializer_list<RtValue> values) {
    return rt_format_records(format, std::span(values.begin(), values.size()));
}

// Writes into a character buffer of `length` characters, blank-filled. A record longer than the
// buffer, or values needing a second record, end the program.
std::string rt_write_text(const RtFormat& format, std::span<const RtValue> values,
                          size_t length = 80);
inline std::string rt_write_text(const RtFormat& format, std::initializer_list<RtValue> values,
                                 size_t length = 80) {
    return rt_write_text(format, std::span(values.begin(), values.size()), length);
}

struct RtReadResult {
    int status = RT_IOSTAT_OK;
    std::string message; // empty on success
};

// Where a formatted read takes its records from.
class RtRecordSource {
public:
    virtual ~RtRecordSource() = default;
    // The next record, or false at the end. An operating-system failure is reported through
    // `failure` (status and message) and also returns false.
    virtual bool next_record(std::string& record, RtReadResult& failure) = 0;
    // File records end a field at a comma; in a character buffer a comma is a bad character.
    virtual bool comma_ends_field() const = 0;
};

// Reads values with the format from the source, taking a new record when the format runs out.
RtReadResult rt_read_records(const RtFormat& format, RtRecordSource& source,
                             std::span<const RtTarget> targets);

// Reads from a character buffer (one record). Returns the status.
RtReadResult rt_read_text_result(std::string_view buffer, const RtFormat& format,
                                 std::span<const RtTarget> targets);
inline int rt_read_text(std::string_view buffer, const RtFormat& format,
                        std::initializer_list<RtTarget> targets) {
    return rt_read_text_result(buffer, format, std::span(targets.begin(), targets.size())).status;
}
