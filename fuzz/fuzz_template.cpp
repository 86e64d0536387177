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
    for (const dialogs::DialogTemplate& dialog : templates)
        for (const dialogs::DialogItemTemplate& item : dialog.items)
            check(!item.window_class.empty(), "a control has a class");

    dialogs::replace_dialog_templates(text);
    const int32_t wanted = templates.empty() ? 101 : templates.front().id;
    const std::optional<dialogs::DialogTemplate> found = dialogs::find_dialog_template(wanted);
    check(found.has_value() == !templates.empty(), "the lookup finds what was read");
    return 0;
}
