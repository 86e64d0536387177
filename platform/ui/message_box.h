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

// Called with the button chosen the moment the box is answered, inside the key or click that
// answers it and before the box's own event loop has ended.
using MessageAnswerCall = std::function<void(MessageButton)>;

// Shows the box modally over the frame and returns the button chosen (`none` when the box was
// closed otherwise). `on_answer`, when given, hears the answer first: a thread waiting for the
// answer is told within the input that gave it, not only after the box's event loop has wound
// down, which may be after more input.
MessageButton show_message_box(const MessageBoxSpec& spec, const MessageAnswerCall& on_answer = {});

// Answers boxes instead of showing them while it returns a button (tests). GUI thread.
using MessageBoxAnswerer = std::function<std::optional<MessageButton>(const MessageBoxSpec&)>;
void set_message_box_answerer(MessageBoxAnswerer answerer);

} // namespace ui
