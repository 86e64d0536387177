// Reading talvena.sym independently of the program's own reader.
#include "tests/e2e/figure_file.h"

#include <charconv>
#include <fstream>

namespace e2e {
namespace {

// The whole number in columns [first, first + width) of `line`; blanks around it are allowed and
// an all-blank field is 0, as the file's fixed-column integers are read.
bool field(const std::string& line, size_t first, size_t width, int32_t& value) {
    std::string text = first < line.size() ? line.substr(first, width) : std::string();
    const size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) {
        value = 0;
        return true;
    }
    const size_t end = text.find_last_not_of(' ') + 1;
    const char* start = text.data() + begin;
    const auto [stop, failed] = std::from_chars(start, text.data() + end, value);
    return failed == std::errc() && stop == text.data() + end;
}

} // namespace

std::optional<FigureSets> read_figure_file(const std::filesystem::path& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path.string() + ": cannot be opened";
        return std::nullopt;
    }
    int32_t line_number = 0;
    std::string line;
    auto next_line = [&] {
        if (!std::getline(in, line))
            return false;
        ++line_number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    };
    auto fail = [&](const std::string& reason) {
        error = path.string() + ", line " + std::to_string(line_number) + ": " + reason;
        return std::nullopt;
    };

    FigureSets sets;
    for (int32_t k = 1; k <= 9; ++k) {
        int32_t count = 0;
        if (!next_line() || !field(line, 16, 8, count) || count < 0)
            return fail("no count for cell size " + std::to_string(k));
        std::vector<int32_t> values;
        do {
            if (!next_line())
                return fail("the points of cell size " + std::to_string(k) + " end early");
            for (size_t column = 0; column < 20 && values.size() < 2u * count; ++column) {
                int32_t value = 0;
                if (!field(line, column * 4, 4, value))
                    return fail("column " + std::to_string(column * 4 + 1) + " is no number");
                values.push_back(value);
            }
        } while (values.size() < 2u * count);
        for (size_t i = 0; i < values.size(); i += 2)
            sets[static_cast<size_t>(k)].push_back({values[i], values[i + 1]});
    }
    return sets;
}

} // namespace e2e
