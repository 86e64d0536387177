// Before any test: the default window, as start-up opens it, and a font table built from the
// Liberation fonts alone, so that results do not depend on what else the machine has installed.
#include "tests/framework/text/font_environment.h"

#include "framework/windows/child_window.h"
#include "framework/text/font_table.h"

#include <gtest/gtest.h>

namespace {

class FontEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_EQ(gw_default_window(), GW_FIRST_WINDOW_NUMBER);
        framework::set_font_source(test_support::liberation_fonts());
    }
};

const ::testing::Environment* const FONTS =
    ::testing::AddGlobalTestEnvironment(new FontEnvironment);

} // namespace
