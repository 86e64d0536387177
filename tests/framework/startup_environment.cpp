// Opens the default window before any test runs, as the framework's start-up does, so that it
// takes slot 0.
#include "framework/windows/child_window.h"

#include <gtest/gtest.h>

namespace {

class StartupEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_EQ(gw_default_window(), GW_FIRST_WINDOW_NUMBER); }
};

const ::testing::Environment* const STARTUP =
    ::testing::AddGlobalTestEnvironment(new StartupEnvironment);

} // namespace
