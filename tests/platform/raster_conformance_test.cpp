// Replays every reference drawing of tests/fixtures/gdi/*.json on the raster engine and compares
// the result with the recorded image, pixel for pixel.
#include "platform/raster/drawing_context.h"
#include "platform/raster/png.h"
#include "tests/platform/gdi_replay.h"
#include "tests/platform/json_reader.h"
#include "tests/support/fixtures.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <sstream>

namespace {

using namespace raster;
using test_support::JsonValue;

// Cases we do not expect to match, each with the reason. Such a case still runs; a mismatch is
// reported as skipped with the reason instead of failing.
const std::map<std::string, std::string, std::less<>> KNOWN_DIFFERENCES = {};

struct ReferenceCase {
    std::string name;
    std::filesystem::path folder;
    std::shared_ptr<const JsonValue> manifest; // null when the manifest could not be read
    const JsonValue* entry = nullptr;
    std::string load_error;
};

void PrintTo(const ReferenceCase& reference, std::ostream* out) {
    *out << reference.name;
}

std::string test_name_for(std::string name) {
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

std::vector<ReferenceCase> cases_of(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    const std::string label = test_name_for(file.stem().string());
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    std::optional<JsonValue> parsed = test_support::parse_json(text.str(), &error);
    const JsonValue* list = parsed ? parsed->find("cases") : nullptr;
    if (!list || !list->is_array())
        return {{"manifest_" + label, folder, nullptr, nullptr,
                 file.string() + ": " + (parsed ? "no 'cases' array" : error)}};

    auto manifest = std::make_shared<const JsonValue>(std::move(*parsed));
    std::vector<ReferenceCase> result;
    for (const JsonValue& entry : manifest->find("cases")->items()) {
        const JsonValue* name = entry.find("name");
        result.push_back({name && name->is_string() ? name->as_string()
                                                    : label + "_" + std::to_string(result.size()),
                          folder, manifest, &entry, ""});
    }
    return result;
}

// Every case of every manifest in the gdi fixture folder, in file order.
std::vector<ReferenceCase> all_cases() {
    const std::filesystem::path folder = test_support::fixtures_dir() / "gdi";
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder, error))
        if (item.path().extension() == ".json")
            files.push_back(item.path());
    std::sort(files.begin(), files.end());
    // Test names must be unique: a name that an earlier manifest already used gets its file's
    // name appended.
    std::vector<ReferenceCase> result;
    std::set<std::string> names;
    for (const auto& file : files) {
        for (ReferenceCase& reference : cases_of(file)) {
            reference.name = test_name_for(reference.name.empty() ? "unnamed" : reference.name);
            if (!names.insert(reference.name).second) {
                reference.name += "_" + test_name_for(file.stem().string());
                while (!names.insert(reference.name).second)
                    reference.name += "_";
            }
            result.push_back(std::move(reference));
        }
    }
    if (result.empty())
        result.push_back({"no_manifest", folder, nullptr, nullptr,
                          folder.string() + ": no *.json manifest found"});
    return result;
}

std::filesystem::path output_folder() {
    if (const char* folder = std::getenv("TALVENA_TEST_OUTPUT"); folder && *folder)
        return std::filesystem::path(folder) / "raster-conformance";
    return std::filesystem::current_path() / "raster-conformance";
}

// The difference image shows matching pixels faded and every differing pixel in magenta.
Bitmap difference_image(const Bitmap& expected, const Bitmap& actual) {
    Bitmap diff(expected.width(), expected.height());
    for (int32_t y = 0; y < expected.height(); ++y) {
        for (int32_t x = 0; x < expected.width(); ++x) {
            const Pixel e = expected.pixel(x, y);
            const Pixel faded = OPAQUE_BITS | ((e >> 2 & 0x3F3F3F) + 0xBFBFBF);
            diff.set_pixel(x, y, e == actual.pixel(x, y) ? faded : 0xFFFF00FFu);
        }
    }
    return diff;
}

std::string hex(Pixel pixel) {
    char text[8];
    std::snprintf(text, sizeof text, "%06X", pixel & 0xFFFFFFu);
    return text;
}

class RasterConformance : public testing::TestWithParam<ReferenceCase> {};

TEST_P(RasterConformance, MatchesReferenceImage) {
    const ReferenceCase& reference = GetParam();
    ASSERT_TRUE(reference.load_error.empty()) << reference.load_error;
    const JsonValue& entry = *reference.entry;
    const JsonValue* width = entry.find("width");
    const JsonValue* height = entry.find("height");
    const JsonValue* png = entry.find("png");
    const JsonValue* calls = entry.find("calls");
    const JsonValue* constants = reference.manifest->find("constants");
    ASSERT_TRUE(width && height && png && calls && constants)
        << "case lacks width, height, png or calls, or the manifest lacks constants";

    std::string error;
    const std::optional<Bitmap> expected = read_png(reference.folder / png->as_string(), &error);
    ASSERT_TRUE(expected) << error;
    Bitmap actual(static_cast<int32_t>(width->as_int()), static_cast<int32_t>(height->as_int()));
    ASSERT_EQ(actual.width(), expected->width());
    ASSERT_EQ(actual.height(), expected->height());

    DrawingContext context(actual);
    test_support::GdiReplayer replayer(context, *constants);
    for (const JsonValue& call : calls->items())
        ASSERT_TRUE(replayer.replay(call, &error)) << error;

    int64_t differing = 0;
    std::ostringstream first;
    for (int32_t y = 0; y < actual.height(); ++y) {
        for (int32_t x = 0; x < actual.width(); ++x) {
            const Pixel want = expected->pixel(x, y) & 0xFFFFFFu;
            const Pixel got = actual.pixel(x, y) & 0xFFFFFFu;
            if (want == got)
                continue;
            if (++differing <= 8)
                first << " (" << x << "," << y << ") expected " << hex(want) << " got " << hex(got)
                      << ";";
        }
    }
    if (differing == 0)
        return;

    const std::filesystem::path folder = output_folder();
    std::filesystem::create_directories(folder);
    write_png(actual, folder / (reference.name + "-actual.png"));
    write_png(difference_image(*expected, actual), folder / (reference.name + "-diff.png"));
    const std::string report = std::to_string(differing) + " pixels differ, first:" + first.str() +
                               " images in " + folder.string();
    if (const auto known = KNOWN_DIFFERENCES.find(reference.name); known != KNOWN_DIFFERENCES.end())
        GTEST_SKIP() << "known difference: " << known->second << "; " << report;
    ADD_FAILURE() << report;
}

INSTANTIATE_TEST_SUITE_P(Gdi, RasterConformance, testing::ValuesIn(all_cases()),
                         [](const testing::TestParamInfo<ReferenceCase>& param_info) {
                             return param_info.param.name;
                         });

} // namespace
