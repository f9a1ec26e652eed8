#include "platform/linux/DisplayCheck.h"

#include <gtest/gtest.h>

// Runs on the test X server.
TEST(DisplayCheck, AWorkingDisplayLetsTheProgramStart)
{
    EXPECT_EQ(findDisplayProblem(), juce::String());
}
