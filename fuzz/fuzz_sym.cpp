// Fuzzes the figure data reader (talvena.sym): any file gives either nine sets within their
// limits or an error that names a line.
#include "app/figure_data.h"
#include "fuzz/scratch_file.h"

using fuzz_support::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path& path = fuzz_support::write_scratch_file(data, size);
    const FigureDataResult result = app_read_figure_data(path);
    if (result.error) {
        check(result.error->line >= 1, "an error in a file that opened names its line");
        check(!result.error->message().empty(), "an error has a message");
        for (int32_t k = FIGURE_SMALLEST_CELL; k <= FIGURE_LARGEST_CELL; ++k)
            check(result.figures.count(k) == 0, "a failed read leaves no figures");
        return 0;
    }
    for (int32_t k = FIGURE_SMALLEST_CELL; k <= FIGURE_LARGEST_CELL; ++k)
        check(result.figures.count(k) <= FIGURE_MAX_POINTS, "a set holds at most the limit");
    return 0;
}
