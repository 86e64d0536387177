// Fuzzes the fixed-column formatted read: the input's first line is a format, the rest the
// records it reads. A format that parses is read with targets of the kinds its items ask for,
// once from a character buffer and once from records as a file gives them.
#include "fuzz/scratch_file.h"
#include "runtime/format.h"

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

    Targets(const RtFormat& format, bool use_double) {
        std::vector<const RtFormatItem*> data_items;
        for (const RtFormatItem& item : format.items())
            if (item.kind == RtFormatItem::Kind::integer || item.kind == RtFormatItem::Kind::fixed)
                data_items.push_back(&item);
        if (data_items.empty())
            return;
        integers.resize(MAX_TARGETS);
        singles.resize(MAX_TARGETS);
        doubles.resize(MAX_TARGETS);
        const size_t count = std::min(MAX_TARGETS, 2 * data_items.size());
        for (size_t i = 0; i < count; ++i) {
            if (data_items[i % data_items.size()]->kind == RtFormatItem::Kind::integer)
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

    Targets buffer_targets(format, use_double);
    check_status(rt_read_text_result(first_record, format, buffer_targets.targets));

    Targets file_targets(format, use_double);
    LineSource source(records);
    check_status(rt_read_records(format, source, file_targets.targets));
    return 0;
}
