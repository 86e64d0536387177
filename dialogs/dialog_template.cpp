// Reading dialog templates from their text form, and the templates built into the program.
#include "dialogs/dialog_template.h"

#include <charconv>
#include <map>
#include <mutex>

// The text of resources/dialogs/*.dlg, embedded by the build.
extern const char* const DIALOG_TEMPLATE_SOURCE;

namespace dialogs {

namespace {

const std::map<std::string_view, uint32_t>& style_names() {
    static const std::map<std::string_view, uint32_t> NAMES = {
        {"WS_POPUP", WS_POPUP},
        {"WS_CHILD", WS_CHILD},
        {"WS_VISIBLE", WS_VISIBLE},
        {"WS_DISABLED", WS_DISABLED},
        {"WS_CAPTION", WS_CAPTION},
        {"WS_BORDER", WS_BORDER},
        {"WS_SYSMENU", WS_SYSMENU},
        {"WS_GROUP", WS_GROUP},
        {"WS_TABSTOP", WS_TABSTOP},
        {"DS_MODALFRAME", DS_MODALFRAME},
        {"DS_SETFONT", DS_SETFONT},
        {"BS_PUSHBUTTON", BS_PUSHBUTTON},
        {"BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON},
        {"BS_CHECKBOX", BS_CHECKBOX},
        {"BS_AUTOCHECKBOX", BS_AUTOCHECKBOX},
        {"BS_RADIOBUTTON", BS_RADIOBUTTON},
        {"BS_3STATE", BS_3STATE},
        {"BS_AUTO3STATE", BS_AUTO3STATE},
        {"BS_GROUPBOX", BS_GROUPBOX},
        {"BS_USERBUTTON", BS_USERBUTTON},
        {"BS_AUTORADIOBUTTON", BS_AUTORADIOBUTTON},
        {"BS_OWNERDRAW", BS_OWNERDRAW},
        {"SS_LEFT", SS_LEFT},
        {"ES_LEFT", ES_LEFT},
        {"ES_MULTILINE", ES_MULTILINE},
        {"ES_AUTOHSCROLL", ES_AUTOHSCROLL},
        {"ES_READONLY", ES_READONLY},
        {"ES_NUMBER", ES_NUMBER},
        {"LBS_OWNERDRAWFIXED", LBS_OWNERDRAWFIXED},
        {"LBS_OWNERDRAWVARIABLE", LBS_OWNERDRAWVARIABLE},
        {"CBS_SIMPLE", CBS_SIMPLE},
        {"CBS_DROPDOWN", CBS_DROPDOWN},
        {"CBS_DROPDOWNLIST", CBS_DROPDOWNLIST},
        {"CBS_OWNERDRAWFIXED", CBS_OWNERDRAWFIXED},
        {"CBS_OWNERDRAWVARIABLE", CBS_OWNERDRAWVARIABLE},
    };
    return NAMES;
}

// One line split into words; a word in double quotes may hold blanks and stays one word.
struct Words {
    std::vector<std::string> words;
    std::string error;
};

Words split_line(std::string_view line) {
    Words result;
    size_t at = 0;
    while (at < line.size()) {
        if (line[at] == ' ' || line[at] == '\t' || line[at] == '\r') {
            ++at;
            continue;
        }
        if (line[at] == '"') {
            const size_t end = line.find('"', at + 1);
            if (end == std::string_view::npos) {
                result.error = "a text without its closing quote";
                return result;
            }
            result.words.emplace_back(line.substr(at + 1, end - at - 1));
            at = end + 1;
            continue;
        }
        size_t end = at;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r')
            ++end;
        result.words.emplace_back(line.substr(at, end - at));
        at = end;
    }
    return result;
}

bool to_number(const std::string& word, int32_t& value) {
    const auto [end, failure] = std::from_chars(word.data(), word.data() + word.size(), value);
    return failure == std::errc() && end == word.data() + word.size();
}

// The range of a number in a template. Positions and sizes are dialog units, which the binary
// templates of the window system hold in 16 bits; turned into pixels (units times the font's
// base unit), anything larger would overflow, and a window of such a size could not be made.
// A dialog's font is one a dialog box can show.
struct NumberRange {
    int32_t least;
    int32_t most;
};
constexpr NumberRange ANY_NUMBER{INT32_MIN, INT32_MAX};
constexpr NumberRange POSITION_RANGE{-32768, 32767};
constexpr NumberRange SIZE_RANGE{0, 32767};
constexpr NumberRange FONT_POINTS_RANGE{1, 72};

// Reads words [first, first + count) as numbers in `range` into `values`.
bool numbers(const std::vector<std::string>& words, size_t first,
             std::initializer_list<int32_t*> values, NumberRange range = ANY_NUMBER) {
    if (words.size() < first + values.size())
        return false;
    size_t at = first;
    for (int32_t* value : values)
        if (!to_number(words[at++], *value) || *value < range.least || *value > range.most)
            return false;
    return true;
}

bool styles(const std::vector<std::string>& words, size_t first, uint32_t& style,
            std::string& error) {
    style = 0;
    for (size_t at = first; at < words.size(); ++at) {
        const auto found = style_names().find(words[at]);
        if (found == style_names().end()) {
            error = "unknown style " + words[at];
            return false;
        }
        style |= found->second;
    }
    return true;
}

// Reads one line into the template being built; false with `error` set when it is malformed.
bool read_line(const std::vector<std::string>& words, std::vector<DialogTemplate>& out, bool& open,
               std::string& error) {
    const std::string& keyword = words[0];
    if (keyword == "DIALOG") {
        DialogTemplate dialog;
        if (open || words.size() < 2 || !to_number(words[1], dialog.id)) {
            error = open ? "DIALOG before the END of the previous one" : "DIALOG needs an id";
            return false;
        }
        dialog.name = words.size() > 2 ? words[2] : "";
        out.push_back(std::move(dialog));
        open = true;
        return true;
    }
    if (!open) {
        error = keyword + " outside a DIALOG";
        return false;
    }
    DialogTemplate& dialog = out.back();
    if (keyword == "END") {
        open = false;
        return true;
    }
    if (keyword == "LANGUAGE" && numbers(words, 1, {&dialog.language}))
        return true;
    if (keyword == "CAPTION" && words.size() == 2) {
        dialog.caption = words[1];
        return true;
    }
    if (keyword == "STYLE")
        return styles(words, 1, dialog.style, error);
    if (keyword == "POSITION" && numbers(words, 1, {&dialog.x, &dialog.y}, POSITION_RANGE))
        return true;
    if (keyword == "SIZE" && numbers(words, 1, {&dialog.width, &dialog.height}, SIZE_RANGE))
        return true;
    if (keyword == "FONT" && words.size() == 3 &&
        numbers(words, 1, {&dialog.font_points}, FONT_POINTS_RANGE)) {
        dialog.font_face = words[2];
        return true;
    }
    if (keyword == "CONTROL" && words.size() >= 8) {
        DialogItemTemplate item;
        item.window_class = words[1];
        int32_t id = 0;
        if (!numbers(words, 2, {&id}, {-1, 65535}) ||
            !numbers(words, 4, {&item.x, &item.y}, POSITION_RANGE) ||
            !numbers(words, 6, {&item.width, &item.height}, SIZE_RANGE)) {
            error = "CONTROL needs class, id (-1..65535), text, x and y (-32768..32767), "
                    "width and height (0..32767)";
            return false;
        }
        item.id = static_cast<uint16_t>(id < 0 ? NO_CONTROL_ID : id);
        item.text = words[3];
        if (!styles(words, 8, item.style, error))
            return false;
        dialog.items.push_back(std::move(item));
        return true;
    }
    error = "malformed " + keyword + " line";
    return false;
}

std::mutex g_mutex;
std::vector<DialogTemplate>* g_templates = nullptr; // guarded by g_mutex

std::vector<DialogTemplate>& built_in_locked() {
    static std::vector<DialogTemplate> built_in =
        parse_dialog_templates(DIALOG_TEMPLATE_SOURCE, nullptr);
    return built_in;
}

std::vector<DialogTemplate>& templates_locked() {
    if (!g_templates)
        g_templates = &built_in_locked();
    return *g_templates;
}

} // namespace

std::vector<DialogTemplate> parse_dialog_templates(std::string_view text, std::string* error) {
    std::vector<DialogTemplate> result;
    bool open = false;
    int32_t line_number = 0;
    while (!text.empty()) {
        ++line_number;
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        // A comment is a whole line starting with '#'; texts may hold '#' themselves.
        if (const size_t first = line.find_first_not_of(" \t");
            first != std::string_view::npos && line[first] == '#')
            line = {};
        Words words = split_line(line);
        std::string problem = words.error;
        if (problem.empty() && !words.words.empty())
            read_line(words.words, result, open, problem);
        if (problem.empty() && open && text.empty())
            problem = "the last DIALOG has no END";
        if (!problem.empty()) {
            if (error)
                *error = "line " + std::to_string(line_number) + ": " + problem;
            return {};
        }
    }
    return result;
}

std::optional<DialogTemplate> find_dialog_template(int32_t id) {
    std::lock_guard lock(g_mutex);
    for (const DialogTemplate& dialog : templates_locked())
        if (dialog.id == id)
            return dialog;
    return std::nullopt;
}

void replace_dialog_templates(std::string_view text) {
    std::lock_guard lock(g_mutex);
    static std::vector<DialogTemplate> replaced;
    replaced = parse_dialog_templates(text, nullptr);
    g_templates = &replaced;
}

void use_built_in_dialog_templates() {
    std::lock_guard lock(g_mutex);
    g_templates = &built_in_locked();
}

} // namespace dialogs
