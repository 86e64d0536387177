// The framework's message boxes and its warning, error and fatal reports.
#include "framework/program/error_reports.h"

#include "framework/program/closing_menus.h"
#include "framework/program/process.h"
#include "platform/ui/gui_thread.h"
#include "platform/ui/message_box.h"
#include "runtime/clock.h"
#include "runtime/modal_time.h"
#include "runtime/trace.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>

namespace {

std::string report_text(int32_t message, const char* file, int32_t line, const char* separator) {
    return std::string(framework::message_text(message)) + separator + "file \"" +
           (file ? file : "") + "\", line " + std::to_string(line);
}

} // namespace

namespace framework {

const char* message_text(int32_t message) {
    switch (message) {
    case GW_MESSAGE_OUT_OF_MEMORY:
        return "Out of Memory";
    case GW_MESSAGE_INTERNAL_ERROR:
        return "Internal Error - unexpected error";
    case GW_MESSAGE_INCONSISTENCY:
        return "Possible internal inconsistency";
    case GW_MESSAGE_STARTUP_HOOK:
        return "initial settings failed";
    case GW_MESSAGE_NOT_PREDEFINED:
        return "Not a predefined menu routine";
    default:
        return "";
    }
}

namespace {

ui::MessageBoxSpec message_box_spec(MessageIcon icon, const std::string& caption,
                                    const std::string& text) {
    ui::MessageBoxSpec spec;
    spec.kind = static_cast<ui::MessageKind>(icon);
    spec.caption = caption;
    spec.text = text;
    if (icon == MessageIcon::question) {
        spec.buttons = ui::MessageButtons::yes_no;
        spec.default_button = ui::MessageButton::no;
    }
    return spec;
}

constexpr int32_t NO_ANSWER_YET = -1;

// Every box is up over the program from the moment it is asked for to its answer: the run-time's
// answer clocks leave that time out. The hold begins where the box is asked for, before it is
// handed to the GUI thread, so that on the virtual clock no time can pass between the two. The box
// counts as down before its answer is handed on, so that a thread woken by the answer finds it
// down. `begun` tells that the caller has begun the hold already.
enum class Hold { begin_here, begun };

ui::MessageButton show_modal_box(const ui::MessageBoxSpec& spec, Hold hold,
                                 const ui::MessageAnswerCall& on_answer = {}) {
    if (hold == Hold::begin_here)
        rt_modal_begin();
    bool down = false;
    const auto put_down = [&down] {
        if (!down) {
            down = true;
            rt_modal_end();
        }
    };
    const ui::MessageButton chosen = ui::show_message_box(spec, [&](ui::MessageButton answer) {
        put_down();
        if (on_answer)
            on_answer(answer);
    });
    put_down();
    return chosen;
}

MessageAnswer show_box(const ui::MessageBoxSpec& spec) {
    rt_trace_event("message", {{"caption", spec.caption}, {"text", spec.text}});
    if (!gui_running()) {
        std::fprintf(stderr, "%s: %s\n", spec.caption.c_str(), spec.text.c_str());
        return MessageAnswer::none;
    }
    if (ui::on_gui_thread())
        return static_cast<MessageAnswer>(show_modal_box(spec, Hold::begin_here));
    auto answer = std::make_shared<std::atomic<int32_t>>(NO_ANSWER_YET);
    // The answer is handed over as the box is answered, inside the scripted key or click that
    // answers it: on the virtual clock the waiting thread could otherwise jump to the script's next
    // line before the box's event loop had wound down and stored the answer.
    rt_modal_begin();
    on_gui_later([spec, answer] {
        show_modal_box(spec, Hold::begun, [answer](ui::MessageButton chosen) {
            answer->store(static_cast<int32_t>(chosen));
            rt_wake();
        });
    });
    while (answer->load() == NO_ANSWER_YET)
        rt_wait();
    return static_cast<MessageAnswer>(answer->load());
}

} // namespace

MessageAnswer show_message(MessageIcon icon, const std::string& caption, const std::string& text) {
    return show_box(message_box_spec(icon, caption, text));
}

MessageAnswer ask_yes_no(MessageIcon icon, const std::string& caption, const std::string& text,
                         MessageAnswer default_answer) {
    ui::MessageBoxSpec spec = message_box_spec(icon, caption, text);
    spec.buttons = ui::MessageButtons::yes_no;
    spec.default_button =
        default_answer == MessageAnswer::yes ? ui::MessageButton::yes : ui::MessageButton::no;
    return show_box(spec);
}

void show_message_later(const std::string& caption, const std::string& text) {
    rt_trace_event("message", {{"caption", caption}, {"text", text}});
    const ui::MessageBoxSpec spec = message_box_spec(MessageIcon::information, caption, text);
    if (!gui_running()) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return;
    }
    rt_modal_begin();
    on_gui_later([spec] { show_modal_box(spec, Hold::begun); });
}

void report_missing_text_font(const std::string& face) {
    static std::once_flag reported;
    std::call_once(reported, [&] {
        show_message_later(GW_ERROR_CAPTION,
                           std::string(message_text(GW_MESSAGE_INTERNAL_ERROR)) +
                               "\nno font could be made for the text cells (" +
                               (face.empty() ? std::string("Courier New") : face) + ")");
    });
}

} // namespace framework

void gw_report_warning(int32_t message, const char* file, int32_t line) {
    const framework::MessageAnswer answer =
        framework::show_message(framework::MessageIcon::warning, GW_WARNING_CAPTION,
                                report_text(message, file, line, "\n"));
    if (answer != framework::MessageAnswer::ok && framework::gui_running())
        gw_report_fatal(0, file, line);
}

void gw_report_error(int32_t message, const char* file, int32_t line) {
    const framework::MessageAnswer answer = framework::show_message(
        framework::MessageIcon::error, GW_ERROR_CAPTION, report_text(message, file, line, "\n"));
    if (answer != framework::MessageAnswer::ok && framework::gui_running())
        gw_report_fatal(0, file, line);
}

void gw_report_fatal(int32_t message, const char* file, int32_t line) {
    if (message != 0)
        framework::show_message(framework::MessageIcon::error, "Easel Fatal Error",
                                report_text(message, file, line, ", "));
    framework::show_closing_menus();
    framework::run_cleanups();
    framework::end_process(-1, framework::StopActions::skip);
}
