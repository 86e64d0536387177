// Reading talvena.sym line by line, so that every complaint names its line.
#include "app/figure_data.h"

#include "runtime/cp1251.h"
#include "runtime/format.h"
#include "runtime/units.h"

#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace {

constexpr int32_t FIGURE_DATA_UNIT = 14;
constexpr size_t LINE_LENGTH = 80;
constexpr size_t COUNT_COLUMN = 16; // columns 17-24, 0-based start
constexpr size_t COUNT_WIDTH = 8;
constexpr size_t VALUE_WIDTH = 4;
constexpr int32_t VALUES_PER_LINE = 20;

// The file on its unit, read one line at a time with the line's number kept.
class FigureDataReader {
public:
    explicit FigureDataReader(std::filesystem::path path) : m_path(std::move(path)) {}

    std::optional<FigureDataError> open() {
        // "old": the file must exist; nothing is created.
        const int status = rt_open(FIGURE_DATA_UNIT, m_path.string(), RtOpenStatus::old_file,
                                   RtPosition::asis, RtOnError::report);
        if (status != 0)
            return error(std::string("cannot be opened: ") +
                         std::generic_category().message(status));
        return std::nullopt;
    }

    ~FigureDataReader() { rt_close(FIGURE_DATA_UNIT, RtOnError::report); }

    FigureDataReader(const FigureDataReader&) = delete;
    FigureDataReader& operator=(const FigureDataReader&) = delete;

    // The next line, cut or blank-padded to 80 columns; an error at the end of the file.
    std::optional<FigureDataError> next_line(std::string& line, std::string_view expected) {
        ++m_line;
        const int status = rt_read_line(FIGURE_DATA_UNIT, line, LINE_LENGTH, RtOnError::report);
        if (status == RT_IOSTAT_END)
            return error("the file ends where " + std::string(expected) + " should be");
        if (status != 0)
            return error("cannot be read: " + std::generic_category().message(status));
        return std::nullopt;
    }

    // The integer in the line's columns first+1 .. first+width; blanks read as 0.
    std::optional<FigureDataError> number(const std::string& line, size_t first, size_t width,
                                          int32_t& value) {
        static const RtFormat COUNT_FIELD("(I8)");
        static const RtFormat VALUE_FIELD("(I4)");
        const std::string field = line.substr(first, width);
        if (rt_read_text(field, width == COUNT_WIDTH ? COUNT_FIELD : VALUE_FIELD, {&value}) != 0)
            return error("columns " + std::to_string(first + 1) + "-" +
                         std::to_string(first + width) + " hold \"" + cp1251_to_utf8(field) +
                         "\" where a whole number should be");
        return std::nullopt;
    }

    FigureDataError error(std::string reason) const { return {m_path, m_line, std::move(reason)}; }

private:
    std::filesystem::path m_path;
    int32_t m_line = 0;
};

std::optional<FigureDataError> read_set(FigureDataReader& reader, int32_t k,
                                        std::vector<FigurePoint>& points) {
    const std::string what = "cell size " + std::to_string(k);
    std::string line;
    if (auto failed = reader.next_line(line, "the count of " + what))
        return failed;
    int32_t count = 0;
    if (auto failed = reader.number(line, COUNT_COLUMN, COUNT_WIDTH, count))
        return failed;
    if (count < 0 || count > FIGURE_MAX_POINTS)
        return reader.error("the count of " + what + " is " + std::to_string(count) +
                            "; it must be 0.." + std::to_string(FIGURE_MAX_POINTS));

    // 2n values, twenty to a line; a set without points still has its one line.
    const int32_t values = 2 * count;
    std::vector<int32_t> numbers(static_cast<size_t>(values));
    int32_t taken = 0;
    do {
        if (auto failed = reader.next_line(line, "the points of " + what))
            return failed;
        for (int32_t column = 0; column < VALUES_PER_LINE && taken < values; ++column, ++taken)
            if (auto failed = reader.number(line, static_cast<size_t>(column) * VALUE_WIDTH,
                                            VALUE_WIDTH, numbers[static_cast<size_t>(taken)]))
                return failed;
    } while (taken < values);

    points.clear();
    for (size_t i = 0; i + 1 < numbers.size(); i += 2)
        points.push_back({numbers[i], numbers[i + 1]});
    return std::nullopt;
}

} // namespace

std::string FigureDataError::message() const {
    std::string text = "Figure data file \"" + path.string() + "\"";
    if (line > 0)
        text += ", line " + std::to_string(line);
    return text + ": " + reason;
}

FigureDataResult app_read_figure_data(const std::filesystem::path& path) {
    FigureDataResult result;
    FigureDataReader reader(path);
    if (auto failed = reader.open()) {
        result.error = std::move(failed);
        return result;
    }
    for (int32_t k = FIGURE_SMALLEST_CELL; k <= FIGURE_LARGEST_CELL; ++k) {
        std::vector<FigurePoint> points;
        if (auto failed = read_set(reader, k, points)) {
            result.error = std::move(failed);
            result.figures = {};
            return result;
        }
        result.figures.set_points(k, std::move(points));
    }
    return result;
}

// An empty folder in the list (a folder that could not be found out) is passed over.
std::filesystem::path app_figure_data_path(std::span<const std::filesystem::path> folders) {
    std::error_code ignored;
    for (const std::filesystem::path& folder : folders)
        if (!folder.empty() && std::filesystem::exists(folder / FIGURE_DATA_FILE_NAME, ignored))
            return folder / FIGURE_DATA_FILE_NAME;
    return folders.empty() ? std::filesystem::path(FIGURE_DATA_FILE_NAME)
                           : folders.front() / FIGURE_DATA_FILE_NAME;
}
