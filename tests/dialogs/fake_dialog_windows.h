// A stand-in for the dialog windows: it keeps what is written into them and sends events a test
// queued for a window when it opens.
#pragma once

#include "dialogs/dialog.h"
#include "dialogs/dialog_window_port.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

// Windows that hold the texts last written into them, and events a test queues for a window
// before it is opened.
class FakeWindows : public dialogs::DialogWindowPort {
public:
    struct Window {
        int32_t owner = 0;
        std::map<size_t, std::string> texts; // by template item, CP1251 without padding
        bool open = true;
    };

    int32_t open(const DialogRecord&, int32_t owner) override {
        if (refuse)
            return 0;
        const int32_t window = ++m_last;
        windows[window].owner = owner;
        for (const auto& [item, notification] : on_open[window])
            dialogs::post_dialog_event({window, item, notification});
        return window;
    }
    void close(int32_t window) override { windows[window].open = false; }
    void write(int32_t window, const ControlRecord& control) override {
        ++writes;
        if (!control.texts.empty())
            windows[window].texts[control.item_index] =
                control.texts[0].substr(0, control.texts[0].find_last_not_of(' ') + 1);
    }
    void read(int32_t window, ControlRecord& control) override {
        if (control.texts.empty())
            return;
        const auto typing = typed[window].find(control.item_index);
        control.texts[0] =
            padded(typing != typed[window].end() ? typing->second
                                                 : windows[window].texts[control.item_index]);
    }
    void show_message(int32_t window, const std::string& text, DialogArea) override {
        messages[window] = text;
    }
    void focus(int32_t window, const ControlRecord& control) override {
        focused[window] = control.item_index;
    }

    static std::string padded(std::string text) {
        text.resize(DIALOG_TEXT_LENGTH, ' ');
        return text;
    }

    bool refuse = false;
    int32_t writes = 0;
    std::map<int32_t, Window> windows;
    std::map<int32_t, std::string> messages;
    std::map<int32_t, size_t> focused; // by window: the template item given the focus last
    // What the user has typed into a window by the time its texts are read: by template item.
    std::map<int32_t, std::map<size_t, std::string>> typed;
    // Events posted when the window with that number opens: (template item, callback type).
    std::map<int32_t, std::vector<std::pair<size_t, int32_t>>> on_open;

private:
    int32_t m_last = 0;
};
