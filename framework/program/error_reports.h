// The framework's message boxes: its own error reports and the boxes other parts show.
#pragma once

#include <cstdint>
#include <string>

// The captions of the framework's boxes.
inline constexpr const char* GW_WARNING_CAPTION = "Easel Warning";
inline constexpr const char* GW_ERROR_CAPTION = "Easel Error";

// Message numbers of the framework's error reports.
constexpr int32_t GW_MESSAGE_OUT_OF_MEMORY = 4;
constexpr int32_t GW_MESSAGE_INTERNAL_ERROR = 5;
constexpr int32_t GW_MESSAGE_INCONSISTENCY = 6;
constexpr int32_t GW_MESSAGE_STARTUP_HOOK = 7;
constexpr int32_t GW_MESSAGE_NOT_PREDEFINED = 8;

// "Easel Warning" box: "%s\nfile \"%s\", line %d", OK. A box that cannot be shown leads to
// gw_report_fatal(0, ...). Any thread.
void gw_report_warning(int32_t message, const char* file, int32_t line);
// "Easel Error" box, same text; the caller goes on after OK. Any thread.
void gw_report_error(int32_t message, const char* file, int32_t line);
// "Easel Fatal Error" box "%s, file \"%s\", line %d" (none for message 0), then the clean-up
// list runs and the process ends at once with exit code -1. Any thread.
[[noreturn]] void gw_report_fatal(int32_t message, const char* file, int32_t line);

namespace framework {

enum class MessageIcon : uint8_t { information, question, warning, error };
enum class MessageAnswer : uint8_t { ok, yes, no, none };

// Shows a box on the GUI thread and waits for the answer: question boxes have Yes and No with
// No as default, the others OK. Writes the trace's `message` event first. Without a window
// system the box is written to standard error and the answer is `none`. Any thread.
MessageAnswer show_message(MessageIcon icon, const std::string& caption, const std::string& text);
// As show_message, with Yes and No whatever the icon; `default_answer` (yes or no) is what Enter
// chooses.
MessageAnswer ask_yes_no(MessageIcon icon, const std::string& caption, const std::string& text,
                         MessageAnswer default_answer = MessageAnswer::no);
// Shows an information box and returns at once, without waiting for it to be closed: for boxes
// whose answer nobody needs, chosen on the GUI thread (the About box), so that a menu command
// ends while its box is on screen. Thread-safe.
void show_message_later(const std::string& caption, const std::string& text);

// The text of a message number ("" for an unknown one).
const char* message_text(int32_t message);

// Tells the user, once per run and without waiting, that no font could be made for a window's
// text cells (`face` CP1251, empty for the default face): the windows' missing-font report,
// which start-up registers. Any thread.
void report_missing_text_font(const std::string& face);

} // namespace framework
