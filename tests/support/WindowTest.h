// Tests that open windows need a display. Windows always has one; under
// Wine it is the X server that DISPLAY names (xvfb-run provides one). A
// fixture of such tests derives from WindowTest, so that without a display
// each of them fails at once, saying so, rather than waiting for windows
// that never come.
#pragma once

#include <gtest/gtest.h>

bool HasDisplay();

class WindowTest : public testing::Test
{
protected:
    // A fixture's own SetUp calls this first and stops on a fatal failure.
    void SetUp() override;
};
