// Dialog templates: the shipped parameter dialog as its layout says, and malformed template texts.
#include "dialogs/dialog_template.h"

#include <gtest/gtest.h>

using namespace dialogs;

TEST(DialogTemplate, ParameterDialogIsBuiltInWithItsLayout) {
    const std::optional<DialogTemplate> dialog = find_dialog_template(101);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->caption, "Ввод параметров.    Если надо, измените!");
    EXPECT_EQ(dialog->style, WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT);
    EXPECT_EQ(dialog->style & WS_SYSMENU, 0u) << "no system menu, hence no close box";
    EXPECT_EQ((std::array{dialog->x, dialog->y, dialog->width, dialog->height}),
              (std::array{50, 20, 334, 204}));
    EXPECT_EQ(dialog->font_points, 8);
    EXPECT_EQ(dialog->font_face, "MS Sans Serif");
    EXPECT_EQ(dialog->language, 1049);
    ASSERT_EQ(dialog->items.size(), 21u);

    // Template order is tab order: the two buttons first, then the fields among their labels,
    // then the size check's button.
    std::vector<int32_t> ids;
    for (const DialogItemTemplate& item : dialog->items)
        ids.push_back(item.id);
    EXPECT_EQ(ids, (std::vector<int32_t>{1,     2,     65535, 1000,  65535, 65535, 65535,
                                         1001,  65535, 65535, 65535, 65535, 65535, 65535,
                                         65535, 1002,  1003,  1004,  65535, 65535, 3}));

    const DialogItemTemplate& start = dialog->items[0];
    EXPECT_EQ(start.window_class, "BUTTON");
    EXPECT_EQ(start.text, "Начать работу");
    EXPECT_EQ((std::array{start.x, start.y, start.width, start.height}),
              (std::array{15, 161, 168, 36}));
    const DialogItemTemplate& ny = dialog->items[15];
    EXPECT_EQ(ny.window_class, "EDIT");
    EXPECT_EQ((std::array{ny.x, ny.y, ny.width, ny.height}), (std::array{121, 71, 44, 14}));
    EXPECT_EQ(ny.style & (ES_NUMBER | ES_READONLY), ES_NUMBER);
    EXPECT_EQ(dialog->items[17].style & (ES_NUMBER | ES_READONLY), ES_NUMBER | ES_READONLY);
    EXPECT_EQ(dialog->items[19].text, "1дюйм=25.4мм)");
    EXPECT_EQ(dialog->items[20].text, "Сверить с картой…");
}

TEST(DialogTemplate, UnknownIdIsMissing) {
    EXPECT_FALSE(find_dialog_template(102).has_value());
}

TEST(DialogTemplate, MalformedTextsSayWhere) {
    const char* const CONTROL_NEEDS = "line 2: CONTROL needs class, id (-1..65535), text, x and y "
                                      "(-32768..32767), width and height (0..32767)";
    const struct {
        const char* text;
        const char* error;
    } CASES[] = {
        {"DIALOG x\nEND\n", "line 1: DIALOG needs an id"},
        {"CAPTION \"a\"\n", "line 1: CAPTION outside a DIALOG"},
        {"DIALOG 1\nSTYLE WS_POPUP WS_NOTHING\nEND\n", "line 2: unknown style WS_NOTHING"},
        {"DIALOG 1\nCAPTION \"open\nEND\n", "line 2: a text without its closing quote"},
        {"DIALOG 1\nCONTROL EDIT 70000 \"\" 1 2 3 4\nEND\n", CONTROL_NEEDS},
        {"DIALOG 1\nSIZE 1\nEND\n", "line 2: malformed SIZE line"},
        // Dialog units beyond 16 bits, which would overflow when turned into pixels, and
        // fonts no dialog box shows.
        {"DIALOG 1\nPOSITION 32768 0\nEND\n", "line 2: malformed POSITION line"},
        {"DIALOG 1\nPOSITION 0 -32769\nEND\n", "line 2: malformed POSITION line"},
        {"DIALOG 1\nSIZE 2000000000 60\nEND\n", "line 2: malformed SIZE line"},
        {"DIALOG 1\nSIZE 100 -1\nEND\n", "line 2: malformed SIZE line"},
        {"DIALOG 1\nFONT 0 \"MS Sans Serif\"\nEND\n", "line 2: malformed FONT line"},
        {"DIALOG 1\nFONT 2000000000 \"MS Sans Serif\"\nEND\n", "line 2: malformed FONT line"},
        {"DIALOG 1\nCONTROL EDIT 1 \"\" -40000 2 3 4\nEND\n", CONTROL_NEEDS},
        {"DIALOG 1\nCONTROL EDIT 1 \"\" 1 2 32768 4\nEND\n", CONTROL_NEEDS},
        {"DIALOG 1\nCONTROL EDIT 1 \"\" 1 2 3 -4\nEND\n", CONTROL_NEEDS},
        {"DIALOG 1\n", "line 1: the last DIALOG has no END"},
    };
    for (const auto& c : CASES) {
        std::string error;
        EXPECT_TRUE(parse_dialog_templates(c.text, &error).empty()) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(DialogTemplate, TextsMayHoldCommentSignsAndBlanks) {
    std::string error;
    const std::vector<DialogTemplate> parsed =
        parse_dialog_templates("  # a comment\nDIALOG 7 NAME\nCAPTION \"#1,  two\"\n"
                               "CONTROL STATIC -1 \"a # b\" 1 2 3 4 WS_CHILD SS_LEFT\nEND\n",
                               &error);
    ASSERT_EQ(parsed.size(), 1u) << error;
    EXPECT_EQ(parsed[0].caption, "#1,  two");
    ASSERT_EQ(parsed[0].items.size(), 1u);
    EXPECT_EQ(parsed[0].items[0].text, "a # b");
    EXPECT_EQ(parsed[0].items[0].id, NO_CONTROL_ID);
}

TEST(DialogTemplate, PositionsSizesAndFontsAtTheirLimitsAreRead) {
    std::string error;
    const std::vector<DialogTemplate> parsed = parse_dialog_templates(
        "DIALOG 7\nPOSITION -32768 32767\nSIZE 0 32767\nFONT 72 \"MS Sans Serif\"\n"
        "CONTROL EDIT 1 \"\" -32768 32767 32767 0\nEND\n",
        &error);
    ASSERT_EQ(parsed.size(), 1u) << error;
    EXPECT_EQ(parsed[0].x, -32768);
    EXPECT_EQ(parsed[0].height, 32767);
    EXPECT_EQ(parsed[0].font_points, 72);
    ASSERT_EQ(parsed[0].items.size(), 1u);
    EXPECT_EQ(parsed[0].items[0].x, -32768);
    EXPECT_EQ(parsed[0].items[0].width, 32767);
}
