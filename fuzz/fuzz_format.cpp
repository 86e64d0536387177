// Fuzzes the fixed-column formatted read: the input's first line is a format, the rest the
// records it reads. A format that parses is read with targets of the kinds its items ask for,
// once from a character buffer and once from records as a file gives them; then values made
// from the input's bytes are written with it and must read back as they were written.
#include "fuzz/scratch_file.h"
#include "runtime/format.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

using fuzz_support::check;

namespace {

// Enough targets to take a record through every kind of item and on into the next record.
constexpr size_t MAX_TARGETS = 64;

// The lines of the text, as a unit hands them to rt_read_records.
class LineSource : public RtRecordSource {
public:
    explicit LineSource(std::string_view text) : m_rest(text) {}
    bool next_record(std::string& record, RtReadResult&) override {
        if (m_rest.empty())
            return false;
        const size_t end = m_rest.find('\n');
        record.assign(m_rest.substr(0, end));
        m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 1);
        return true;
    }
    bool comma_ends_field() const override { return true; }

private:
    std::string_view m_rest;
};

// Storage for the values read and a target of the right kind for each; the format's data items
// are taken in turn, starting over when there are more targets than items.
struct Targets {
    std::vector<int32_t> integers;
    std::vector<float> singles;
    std::vector<double> doubles;
    std::vector<RtTarget> targets;
    std::vector<const RtFormatItem*> items; // the item each target is read with

    // `passes`: how many times the targets go through the data items, starting over.
    Targets(const RtFormat& format, bool use_double, size_t passes) {
        std::vector<const RtFormatItem*> data_items;
        for (const RtFormatItem& item : format.items())
            if (item.kind == RtFormatItem::Kind::integer || item.kind == RtFormatItem::Kind::fixed)
                data_items.push_back(&item);
        if (data_items.empty())
            return;
        integers.resize(MAX_TARGETS);
        singles.resize(MAX_TARGETS);
        doubles.resize(MAX_TARGETS);
        const size_t count = std::min(MAX_TARGETS, passes * data_items.size());
        for (size_t i = 0; i < count; ++i) {
            items.push_back(data_items[i % data_items.size()]);
            if (items.back()->kind == RtFormatItem::Kind::integer)
                targets.emplace_back(&integers[i]);
            else if (use_double)
                targets.emplace_back(&doubles[i]);
            else
                targets.emplace_back(&singles[i]);
        }
    }
};

void check_status(const RtReadResult& result) {
    check(result.status == RT_IOSTAT_OK || result.status == RT_IOSTAT_END ||
              result.status == RT_IOSTAT_BAD_VALUE || result.status == RT_IOSTAT_OVERFLOW,
          "a read ends well, at the end or at a bad value");
    check(result.message.empty() == (result.status == RT_IOSTAT_OK), "a failed read has a message");
}

// The values written for the targets, their bits taken from `bytes` in turn (all zero when there
// are none).
std::vector<RtValue> values_from(const Targets& targets, std::string_view bytes) {
    size_t at = 0;
    const auto next = [&](auto& value) {
        unsigned char raw[sizeof value] = {};
        for (unsigned char& byte : raw)
            byte = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[at++ % bytes.size()]);
        std::memcpy(&value, raw, sizeof value);
    };
    std::vector<RtValue> values;
    for (const RtTarget& target : targets.targets) {
        if (std::holds_alternative<int32_t*>(target)) {
            int32_t value = 0;
            next(value);
            values.emplace_back(value);
        } else if (std::holds_alternative<float*>(target)) {
            float value = 0;
            next(value);
            values.emplace_back(value);
        } else {
            double value = 0;
            next(value);
            values.emplace_back(value);
        }
    }
    return values;
}

// Whether a real read back from Fw.d is the written value rounded to d decimals: within half a
// unit of the last decimal, and of the last bit of the type read into.
template <typename Real>
bool same_real(Real written, Real read, int32_t decimals) {
    if (std::isnan(written))
        return std::isnan(read);
    if (std::isinf(written))
        return read == written;
    const long double rounding = 0.5L * std::pow(10.0L, -static_cast<long double>(decimals));
    const Real larger = std::max(std::fabs(written), std::fabs(read));
    const long double last_bit =
        std::nextafter(larger, std::numeric_limits<Real>::infinity()) - larger;
    return std::fabs(static_cast<long double>(read) - static_cast<long double>(written)) <=
           rounding * (1 + 1e-12L) + last_bit;
}

// Writes values with the format into one record and reads them back from it.
void check_round_trip(const RtFormat& format, bool use_double, std::string_view bytes) {
    Targets read_back(format, use_double, 1);
    if (read_back.targets.empty())
        return;
    const std::vector<RtValue> values = values_from(read_back, bytes);
    const std::vector<std::string> records = rt_format_records(format, values);
    check(records.size() == 1, "values for one pass make one record");
    const RtReadResult result = rt_read_text_result(records[0], format, read_back.targets);
    check(result.status == RT_IOSTAT_OK || records[0].find('*') != std::string::npos,
          "a record without asterisks reads back");
    if (result.status != RT_IOSTAT_OK)
        return;

    // Where each data item's field lies, to leave out fields written as asterisks.
    std::vector<std::string> fields;
    size_t column = 0;
    for (const RtFormatItem& item : format.items()) {
        if (fields.size() == read_back.targets.size())
            break;
        if (item.kind == RtFormatItem::Kind::integer || item.kind == RtFormatItem::Kind::fixed)
            fields.push_back(records[0].substr(std::min(column, records[0].size()),
                                               static_cast<size_t>(item.width)));
        column += static_cast<size_t>(item.width);
    }
    for (size_t i = 0; i < read_back.targets.size(); ++i) {
        if (fields[i].find('*') != std::string::npos)
            continue;
        const int32_t decimals = read_back.items[i]->decimals;
        if (std::holds_alternative<int32_t>(values[i]))
            check(std::get<int32_t>(values[i]) == read_back.integers[i],
                  "an integer reads back as written");
        else if (std::holds_alternative<float>(values[i]))
            check(same_real(std::get<float>(values[i]), read_back.singles[i], decimals),
                  "a real reads back as written, to its decimals");
        else
            check(same_real(std::get<double>(values[i]), read_back.doubles[i], decimals),
                  "a real reads back as written, to its decimals");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t end = input.find('\n');
    const std::string_view format_text = input.substr(0, end);
    const std::string_view records =
        end == std::string_view::npos ? std::string_view() : input.substr(end + 1);

    const RtFormat format(format_text);
    if (!format.ok()) {
        check(format.items().empty(), "a malformed format has no items");
        return 0;
    }
    const bool use_double = !records.empty() && (records.front() & 1) != 0;
    const std::string_view first_record = records.substr(0, records.find('\n'));

    Targets buffer_targets(format, use_double, 2);
    check_status(rt_read_text_result(first_record, format, buffer_targets.targets));

    Targets file_targets(format, use_double, 2);
    LineSource source(records);
    check_status(rt_read_records(format, source, file_targets.targets));

    check_round_trip(format, use_double, records);
    return 0;
}
