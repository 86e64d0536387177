// The instruction text, embedded from resources/instruction.txt at build time.
#include "app/instruction_text.h"

#include "platform/language/catalogue.h"
#include "runtime/cp1251.h"

// The file's UTF-8 text as it stands, generated into the build folder.
extern const std::string_view INSTRUCTION_TEXT_SOURCE;

std::string app_instruction_text() {
    // One paragraph per line in the file, whatever its line ends; the final line end is not
    // part of the text. Each paragraph is translated on its own.
    std::string text;
    std::string paragraph;
    const auto end_paragraph = [&] {
        text += paragraph.empty() ? paragraph : language::translate("instruction", paragraph);
        paragraph.clear();
    };
    for (const char c : INSTRUCTION_TEXT_SOURCE) {
        if (c == '\n') {
            end_paragraph();
            text += '\r';
        } else if (c != '\r') {
            paragraph += c;
        }
    }
    end_paragraph();
    while (!text.empty() && text.back() == '\r')
        text.pop_back();
    return utf8_to_cp1251(text);
}
