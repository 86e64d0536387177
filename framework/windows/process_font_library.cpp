// Opening the process's font library once, from the source chosen before.
#include "framework/windows/process_font_library.h"

#include <memory>
#include <mutex>

namespace framework {

namespace {

struct ProcessFontLibrary {
    std::mutex mutex; // guards every field
    fonts::FontSource source;
    std::unique_ptr<fonts::FontLibrary> library;
    bool failed = false;
};

ProcessFontLibrary& process_library() {
    static ProcessFontLibrary library;
    return library;
}

} // namespace

void set_font_library_source(fonts::FontSource source) {
    ProcessFontLibrary& fonts = process_library();
    std::lock_guard lock(fonts.mutex);
    if (fonts.library)
        return;
    fonts.source = std::move(source);
}

fonts::FontLibrary* process_font_library() {
    ProcessFontLibrary& fonts = process_library();
    std::lock_guard lock(fonts.mutex);
    if (!fonts.library && !fonts.failed) {
        fonts.library = fonts::FontLibrary::open(fonts.source);
        fonts.failed = !fonts.library;
    }
    return fonts.library.get();
}

} // namespace framework
