// Message boxes: information, question, warning and error, with a caption, a text, buttons and a
// default button. GUI thread only.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace ui {

enum class MessageKind : uint8_t { information, question, warning, error };
enum class MessageButtons : uint8_t { ok, yes_no };
enum class MessageButton : uint8_t { ok, yes, no, none };

struct MessageBoxSpec {
    MessageKind kind = MessageKind::information;
    std::string caption; // UTF-8
    std::string text;    // UTF-8; "\n" breaks the line
    MessageButtons buttons = MessageButtons::ok;
    MessageButton default_button = MessageButton::ok;
};

// Shows the box modally over the frame and returns the button chosen (`none` when the box was
// closed otherwise).
MessageButton show_message_box(const MessageBoxSpec& spec);

// Answers boxes instead of showing them while it returns a button (tests). GUI thread.
using MessageBoxAnswerer = std::function<std::optional<MessageButton>(const MessageBoxSpec&)>;
void set_message_box_answerer(MessageBoxAnswerer answerer);

} // namespace ui
