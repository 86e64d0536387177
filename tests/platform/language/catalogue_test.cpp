// The catalogue as the build makes it: found, loaded and looked up, with the Russian text kept
// when there is none; the places of values filled in.
#include "platform/language/catalogue.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using language::Language;

const fs::path BUILT_CATALOGUES = TALVENA_CATALOGUE_FOLDER;

class CatalogueTest : public testing::Test {
protected:
    void TearDown() override { language::use_russian(); }
};

TEST_F(CatalogueTest, EnglishCatalogueTranslatesByContext) {
    const std::vector<fs::path> folders = {BUILT_CATALOGUES};
    ASSERT_EQ(language::use_language(Language::english, folders), Language::english);
    EXPECT_EQ(language::current_language(), Language::english);
    EXPECT_EQ(language::translate("menu bar", "Выход"), "Exit");
    // The same Russian text in two contexts may be translated twice.
    EXPECT_EQ(language::translate("vision test", "Острота зрения"), "Visual acuity");
    EXPECT_EQ(language::translate("results chart", "Острота зрения"), "Visual acuity");
    // A text the catalogue does not know, or a known text under another context, stays.
    EXPECT_EQ(language::translate("menu bar", "Нет такого"), "Нет такого");
    EXPECT_EQ(language::translate("no such context", "Выход"), "Выход");
}

TEST_F(CatalogueTest, RussianOrNoCatalogueLeavesTheTextsAsWritten) {
    const fs::path empty = fs::path(testing::TempDir()) / "no-catalogues";
    fs::create_directories(empty);
    // Not a catalogue: a file of that name that does not load.
    const fs::path broken = fs::path(testing::TempDir()) / "broken-catalogues";
    fs::create_directories(broken);
    std::ofstream(broken / language::catalogue_file_name(Language::english)) << "not a catalogue";
    const struct {
        const char* name;
        Language wanted;
        std::vector<fs::path> folders;
    } cases[] = {
        {"Russian asked for", Language::russian, {BUILT_CATALOGUES}},
        {"no folder", Language::english, {}},
        {"folder without the file", Language::english, {empty}},
        {"a broken file", Language::english, {broken}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(language::use_language(c.wanted, c.folders), Language::russian) << c.name;
        EXPECT_EQ(language::translate("menu bar", "Выход"), "Выход") << c.name;
    }
    // A broken file before the good one is passed over.
    const std::vector<fs::path> folders = {broken, BUILT_CATALOGUES};
    EXPECT_EQ(language::use_language(Language::english, folders), Language::english);
}

TEST(FillIn, PutsTheValuesInTheirPlaces) {
    EXPECT_EQ(language::fill_in("%2 of %1", {"a", "b"}), "b of a");
    EXPECT_EQ(language::fill_in("Файл %1: %2", {"talvena.rtr", "нет"}), "Файл talvena.rtr: нет");
    EXPECT_EQ(language::fill_in("%1%1", {"x"}), "xx");
    // A place without a value, a percent that is not a place and a lone percent stay.
    EXPECT_EQ(language::fill_in("%1 %2", {"x"}), "x %2");
    EXPECT_EQ(language::fill_in("50% %0 %", {"x"}), "50% %0 %");
    // A value holding a place is not filled in again.
    EXPECT_EQ(language::fill_in("%1 %2", {"%2", "y"}), "%2 y");
}

} // namespace
