// What the tests of the appended files (talvena.rtr, talvena-trials.csv) share: a temporary
// folder, whole-file bytes, a lowered file size limit, a picture of a folder's contents, the
// data folder pointed elsewhere, the trace's record events and the places where a file cannot be
// written.
#pragma once

#include "app/data_folder.h"
#include "runtime/trace.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace appending_fixture {

using TempFolder = test_support::TempFolder;

using test_support::file_bytes;
using test_support::FileSizeLimit;
using test_support::write_bytes;

// Everything under a folder, for telling whether a failed append changed anything: names,
// kinds, link targets and file contents.
inline std::string folder_state(const std::filesystem::path& folder) {
    std::vector<std::string> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        std::string text = std::filesystem::relative(entry.path(), folder).string();
        if (entry.is_symlink())
            text += " -> " + std::filesystem::read_symlink(entry.path()).string();
        else if (entry.is_directory())
            text += "/";
        else
            text += ": " + file_bytes(entry.path());
        entries.push_back(text);
    }
    std::sort(entries.begin(), entries.end());
    std::string state;
    for (const std::string& text : entries)
        state += text + "\n";
    return state;
}

// Collects the trace's record, record-failed and message events while it lives.
class RecordEvents {
public:
    RecordEvents() {
        m_id = rt_trace_add_listener([this](std::string_view event, auto fields) {
            if (event != "record" && event != "record-failed" && event != "message")
                return;
            std::string line(event);
            for (const RtTraceField& field : fields)
                line += " " + std::string(field.key) + "=" + field.value;
            m_events.push_back(line);
        });
    }
    ~RecordEvents() { rt_trace_remove_listener(m_id); }
    RecordEvents(const RecordEvents&) = delete;
    RecordEvents& operator=(const RecordEvents&) = delete;

    const std::vector<std::string>& events() const { return m_events; }

private:
    int32_t m_id = 0;
    std::vector<std::string> m_events;
};

// Points the data folder at a test's folder and back.
class DataFolder {
public:
    explicit DataFolder(const std::filesystem::path& folder) : m_saved(app_data_folder()) {
        app_set_data_folder(folder);
    }
    ~DataFolder() { app_set_data_folder(m_saved); }
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;

private:
    std::filesystem::path m_saved;
};

// One way for an append to fail: what stands in the file's place, or how little room is left.
struct FailureCase {
    const char* what;
    // Prepares the folder and returns the path of the file to append to.
    std::function<std::filesystem::path(const std::filesystem::path& folder)> prepare;
    std::string reason; // the reason after "<path>: "
    rlim_t size_limit = RLIM_INFINITY;
};

// Root ignores permission bits, so the failures that hold for every user come from what stands
// in the file's place: a folder, a data folder that is a file, a full device.
inline std::vector<FailureCase> unwritable_places(const std::string& file_name) {
    namespace fs = std::filesystem;
    return {
        {"a folder in the file's place",
         [file_name](const fs::path& folder) {
             fs::create_directory(folder / file_name);
             return folder / file_name;
         },
         "cannot open: Is a directory"},
        {"a data folder that is a file",
         [file_name](const fs::path& folder) {
             write_bytes(folder / "data", "not a folder\n");
             return folder / "data" / file_name;
         },
         "cannot open: Not a directory"},
        {"a full disk",
         [file_name](const fs::path& folder) {
             fs::create_symlink("/dev/full", folder / file_name);
             return folder / file_name;
         },
         "cannot write: No space left on device"},
    };
}

// Saves with `save` in the place each case prepares: the folder is left as it was, and the trace
// has the one `record-failed kind=KIND` event naming the file and the reason. For the CSV files,
// whose failures tell no one but the trace.
inline void expect_failures_leave_everything(const std::vector<FailureCase>& cases,
                                             const std::string& kind,
                                             const std::function<void()>& save) {
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const std::filesystem::path path = c.prepare(folder.path());
        const std::string before = folder_state(folder.path());
        DataFolder data(path.parent_path());
        RecordEvents events;
        {
            FileSizeLimit limit(c.size_limit);
            ASSERT_TRUE(limit.set());
            save();
        }
        EXPECT_EQ(folder_state(folder.path()), before);
        const std::string reason = path.string() + ": " + c.reason;
        EXPECT_EQ(events.events(),
                  std::vector<std::string>{"record-failed kind=" + kind +
                                           " reason=" + RtTraceField("reason", reason).value});
    }
}

} // namespace appending_fixture
