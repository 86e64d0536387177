// Formatted output: the Iw, Iw.m and Fw.d fields and whole records.
#include "runtime/format.h"
#include "runtime/stop.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

std::string asterisks(int32_t width) {
    return std::string(static_cast<size_t>(width), '*');
}

std::string right_justify(const std::string& text, int32_t width) {
    const auto w = static_cast<size_t>(width);
    if (text.size() > w)
        return asterisks(width);
    return std::string(w - text.size(), ' ') + text;
}

// Iw.m: the digits of |v| zero-padded to m, a '-' in front of the padding, never a '+'; Iw.0
// writes zero as blanks.
std::string format_integer(int32_t value, int32_t width, int32_t min_digits) {
    if (value == 0 && min_digits == 0)
        return std::string(static_cast<size_t>(width), ' ');
    const int64_t magnitude = std::llabs(int64_t{value});
    std::string digits = std::to_string(magnitude);
    if (min_digits > 0 && digits.size() < static_cast<size_t>(min_digits))
        digits.insert(0, static_cast<size_t>(min_digits) - digits.size(), '0');
    return right_justify(value < 0 ? "-" + digits : digits, width);
}

std::string format_special(double value, int32_t width) {
    if (std::isnan(value))
        return right_justify("NaN", width);
    if (!std::signbit(value))
        return right_justify(width >= 8 ? "Infinity" : "Inf", width);
    return right_justify(width >= 9 ? "-Infinity" : "-Inf", width);
}

// Fw.d. The digits come from the exact binary value rounded to d decimals with ties to even,
// which is what to_chars with a precision does (as printf in the C locale, but independent of
// the program's locale). A float widened to double keeps its exact value.
// Layout: [-]<int>.<d digits>, right-justified; a '-' whenever the sign bit is set (negative
// zero too). When the integer part is 0 and the field is exactly one column short, the 0 is
// dropped (only with d >= 1); any other overflow gives w asterisks.
std::string format_fixed(double value, int32_t width, int32_t decimals) {
    if (!std::isfinite(value))
        return format_special(value, width);
    // Room for the largest double (309 digits) with the most decimals a format allows.
    char buffer[600];
    const auto converted = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                         std::chars_format::fixed, decimals);
    if (converted.ec != std::errc())
        return asterisks(width);
    std::string text(buffer, converted.ptr);
    if (decimals == 0)
        text += '.';
    if (std::signbit(value))
        text.insert(0, 1, '-');
    const auto w = static_cast<size_t>(width);
    if (text.size() == w + 1 && decimals > 0) {
        const size_t zero = text[0] == '-' ? 1 : 0;
        if (text.compare(zero, 2, "0.") == 0)
            text.erase(zero, 1);
    }
    return right_justify(text, width);
}

std::string format_value(const RtFormatItem& item, const RtValue& value, const RtFormat& format) {
    if (item.kind == RtFormatItem::Kind::integer) {
        if (const auto* integer = std::get_if<int32_t>(&value))
            return format_integer(*integer, item.width, item.min_digits);
        rt_fatal_error("format " + format.text() + ": I needs an integer value");
    }
    if (std::holds_alternative<int32_t>(value))
        rt_fatal_error("format " + format.text() + ": F needs a real value");
    const double real = std::holds_alternative<float>(value) ? double{std::get<float>(value)}
                                                             : std::get<double>(value);
    return format_fixed(real, item.width, item.decimals);
}

} // namespace

std::vector<std::string> rt_format_records(const RtFormat& format,
                                           std::span<const RtValue> values) {
    if (!format.ok())
        rt_fatal_error("format " + format.text() + ": " + format.error());
    std::vector<std::string> records;
    std::string record;
    // Column where the next field starts; nX only moves it, so blanks appear in the record only
    // when something is written after them.
    size_t column = 0;
    auto next = values.begin();
    for (;;) {
        for (const RtFormatItem& item : format.items()) {
            std::string field;
            switch (item.kind) {
            case RtFormatItem::Kind::skip:
                column += static_cast<size_t>(item.width);
                continue;
            case RtFormatItem::Kind::literal:
                field = item.text;
                break;
            case RtFormatItem::Kind::integer:
            case RtFormatItem::Kind::fixed:
                if (next == values.end()) {
                    records.push_back(std::move(record));
                    return records;
                }
                field = format_value(item, *next++, format);
                break;
            }
            record.append(column - record.size(), ' ');
            record += field;
            column = record.size();
        }
        if (next == values.end())
            break;
        if (!format.has_data_items())
            rt_fatal_error("format " + format.text() + ": more values than fields");
        records.push_back(std::move(record));
        record.clear();
        column = 0;
    }
    records.push_back(std::move(record));
    return records;
}

std::string rt_write_text(const RtFormat& format, std::span<const RtValue> values, size_t length) {
    std::vector<std::string> records = rt_format_records(format, values);
    if (records.size() > 1 || records[0].size() > length)
        rt_fatal_error("format " + format.text() + ": the text does not fit its buffer of " +
                       std::to_string(length) + " characters");
    records[0].resize(length, ' ');
    return records[0];
}
