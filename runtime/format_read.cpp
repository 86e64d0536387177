// Formatted input: taking w-column fields from records and reading Iw and Fw.d from them.
#include "runtime/format.h"
#include "runtime/stop.h"

#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace {

constexpr const char* BAD_INTEGER = "Bad value during integer read";
constexpr const char* BAD_REAL = "Bad value during floating point read";
constexpr const char* INTEGER_OVERFLOW = "Value overflowed during integer read";

RtReadResult failure(int status, const char* message) {
    return {status, message};
}

// The w columns from `column` on with every blank removed. Columns past the end of the record
// count as blanks. In a file record a comma ends the field early and is passed over.
std::string take_field(const std::string& record, size_t& column, int32_t width,
                       bool comma_ends_field) {
    std::string field;
    size_t used = 0;
    for (; used < static_cast<size_t>(width); ++used) {
        const size_t at = column + used;
        const char c = at < record.size() ? record[at] : ' ';
        if (c == ',' && comma_ends_field) {
            ++used;
            break;
        }
        if (c != ' ')
            field += c;
    }
    column += used;
    return field;
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// An optional sign and one or more digits; nothing at all reads as 0.
RtReadResult read_integer(const std::string& field, int32_t& value) {
    size_t i = 0;
    const bool negative = !field.empty() && field[0] == '-';
    if (!field.empty() && (field[0] == '-' || field[0] == '+'))
        ++i;
    if (field.empty()) {
        value = 0;
        return {};
    }
    if (i == field.size())
        return failure(RT_IOSTAT_BAD_VALUE, BAD_INTEGER);
    constexpr int64_t LIMIT = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    bool overflow = false;
    for (; i < field.size(); ++i) {
        if (!is_digit(field[i]))
            return failure(RT_IOSTAT_BAD_VALUE, BAD_INTEGER);
        magnitude = magnitude * 10 + (field[i] - '0');
        if (magnitude > LIMIT) {
            overflow = true;
            magnitude = LIMIT + 1;
        }
    }
    if (overflow || (!negative && magnitude == LIMIT))
        return failure(RT_IOSTAT_OVERFLOW, INTEGER_OVERFLOW);
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return {};
}

bool equals_ignoring_case(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != lower[i])
            return false;
    }
    return true;
}

locale_t c_locale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

// Fw.d: a sign, digits with at most one point, then an exponent (a letter E D Q in either case
// with an optional sign, or a bare sign, and at least one digit); or Inf, Infinity, NaN. Without
// a typed point the last d digits are decimals: the point is moved in the text, never by
// multiplying, so that the conversion below rounds once, correctly, to the target precision.
// A mantissa without digits reads as +0.
template <typename Real>
RtReadResult read_real(const std::string& field, int32_t decimals, Real& value) {
    size_t i = 0;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        negative = field[i++] == '-';
    const std::string_view rest = std::string_view(field).substr(i);
    if (equals_ignoring_case(rest, "inf") || equals_ignoring_case(rest, "infinity")) {
        value = negative ? -std::numeric_limits<Real>::infinity()
                         : std::numeric_limits<Real>::infinity();
        return {};
    }
    if (equals_ignoring_case(rest, "nan")) {
        value = std::numeric_limits<Real>::quiet_NaN();
        return {};
    }
    std::string whole, fraction, exponent;
    bool point = false;
    for (; i < field.size(); ++i) {
        if (is_digit(field[i])) {
            (point ? fraction : whole) += field[i];
        } else if (field[i] == '.') {
            if (point)
                return failure(RT_IOSTAT_BAD_VALUE, BAD_REAL);
            point = true;
        } else {
            break;
        }
    }
    if (i < field.size()) {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(field[i])));
        if (letter == 'E' || letter == 'D' || letter == 'Q')
            ++i;
        else if (field[i] != '+' && field[i] != '-')
            return failure(RT_IOSTAT_BAD_VALUE, BAD_REAL);
        if (i < field.size() && (field[i] == '+' || field[i] == '-'))
            exponent += field[i++];
        const size_t digits_start = i;
        while (i < field.size() && is_digit(field[i]))
            exponent += field[i++];
        if (i == digits_start || i != field.size())
            return failure(RT_IOSTAT_BAD_VALUE, BAD_REAL);
    }
    if (whole.empty() && fraction.empty()) {
        value = 0;
        return {};
    }
    const auto d = static_cast<size_t>(decimals);
    if (!point && d > 0) {
        if (whole.size() <= d)
            whole.insert(0, d + 1 - whole.size(), '0');
        fraction = whole.substr(whole.size() - d);
        whole.resize(whole.size() - d);
    }
    std::string text = negative ? "-" : "";
    text += whole.empty() ? "0" : whole;
    text += '.';
    text += fraction;
    if (!exponent.empty())
        text += 'e' + exponent;
    if constexpr (std::is_same_v<Real, float>)
        value = strtof_l(text.c_str(), nullptr, c_locale());
    else
        value = strtod_l(text.c_str(), nullptr, c_locale());
    return {};
}

RtReadResult read_field(const RtFormatItem& item, const std::string& field, RtTarget target,
                        const RtFormat& format) {
    if (item.kind == RtFormatItem::Kind::integer) {
        if (auto** integer = std::get_if<int32_t*>(&target)) {
            int32_t value = 0;
            RtReadResult result = read_integer(field, value);
            if (result.status == RT_IOSTAT_OK)
                **integer = value;
            return result;
        }
        rt_fatal_error("format " + format.text() + ": I needs an integer to read into");
    }
    if (auto** single = std::get_if<float*>(&target)) {
        float value = 0;
        RtReadResult result = read_real(field, item.decimals, value);
        if (result.status == RT_IOSTAT_OK)
            **single = value;
        return result;
    }
    if (auto** real = std::get_if<double*>(&target)) {
        double value = 0;
        RtReadResult result = read_real(field, item.decimals, value);
        if (result.status == RT_IOSTAT_OK)
            **real = value;
        return result;
    }
    rt_fatal_error("format " + format.text() + ": F needs a real to read into");
}

class TextSource : public RtRecordSource {
public:
    explicit TextSource(std::string_view text) : m_text(text) {}
    bool next_record(std::string& record, RtReadResult&) override {
        if (m_taken)
            return false;
        m_taken = true;
        record.assign(m_text);
        return true;
    }
    bool comma_ends_field() const override { return false; }

private:
    std::string_view m_text;
    bool m_taken = false;
};

RtReadResult end_of_file(const RtReadResult& failure) {
    return failure.status != RT_IOSTAT_OK ? failure : RtReadResult{RT_IOSTAT_END, "End of file"};
}

} // namespace

RtReadResult rt_read_records(const RtFormat& format, RtRecordSource& source,
                             std::span<const RtTarget> targets) {
    if (!format.ok())
        rt_fatal_error("format " + format.text() + ": " + format.error());
    std::string record;
    RtReadResult os_failure;
    if (!source.next_record(record, os_failure))
        return end_of_file(os_failure);
    auto next = targets.begin();
    for (;;) {
        size_t column = 0;
        for (const RtFormatItem& item : format.items()) {
            if (item.kind == RtFormatItem::Kind::skip || item.kind == RtFormatItem::Kind::literal) {
                column += static_cast<size_t>(item.width);
                continue;
            }
            if (next == targets.end())
                return {};
            const std::string field =
                take_field(record, column, item.width, source.comma_ends_field());
            RtReadResult result = read_field(item, field, *next++, format);
            if (result.status != RT_IOSTAT_OK)
                return result;
        }
        if (next == targets.end())
            return {};
        if (!format.has_data_items())
            rt_fatal_error("format " + format.text() + ": more values than fields");
        if (!source.next_record(record, os_failure))
            return end_of_file(os_failure);
    }
}

RtReadResult rt_read_text_result(std::string_view buffer, const RtFormat& format,
                                 std::span<const RtTarget> targets) {
    TextSource source(buffer);
    return rt_read_records(format, source, targets);
}
