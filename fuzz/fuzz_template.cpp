// Fuzzes the dialog template reader, as --dialog-templates hands it a file: a malformed text
// gives no templates and says where, and the program's lookup works on whatever was read.
#include "dialogs/dialog_template.h"
#include "fuzz/scratch_file.h"

#include <string>

using fuzz_support::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::vector<dialogs::DialogTemplate> templates =
        dialogs::parse_dialog_templates(text, &error);
    if (!error.empty())
        check(templates.empty(), "a malformed text gives no templates");
    // Dialog units that the window layer can turn into pixels without overflow.
    const auto position = [](int32_t units) { return units >= -32768 && units <= 32767; };
    const auto length = [](int32_t units) { return units >= 0 && units <= 32767; };
    for (const dialogs::DialogTemplate& dialog : templates) {
        check(position(dialog.x) && position(dialog.y), "a dialog's position is in range");
        check(length(dialog.width) && length(dialog.height), "a dialog's size is in range");
        check(dialog.font_points >= 1 && dialog.font_points <= 72, "a dialog's font is in range");
        for (const dialogs::DialogItemTemplate& item : dialog.items) {
            check(!item.window_class.empty(), "a control has a class");
            check(position(item.x) && position(item.y), "a control's position is in range");
            check(length(item.width) && length(item.height), "a control's size is in range");
        }
    }

    dialogs::replace_dialog_templates(text);
    const int32_t wanted = templates.empty() ? 101 : templates.front().id;
    const std::optional<dialogs::DialogTemplate> found = dialogs::find_dialog_template(wanted);
    check(found.has_value() == !templates.empty(), "the lookup finds what was read");
    return 0;
}
