#include "ScopedEnvironment.h"

#include "platform/linux/DisplayCheck.h"

#include <gtest/gtest.h>

TEST(DisplayCheck, WithoutADisplayTheProgramSaysSoInOneLine)
{
    {
        const ScopedEnvironment noDisplay("DISPLAY", std::nullopt);
        EXPECT_EQ(findDisplayProblem(), "VXQMRT6UpdateProgram needs a graphical display: DISPLAY is not set.");
    }
    {
        const ScopedEnvironment emptyDisplay("DISPLAY", juce::String());
        EXPECT_EQ(findDisplayProblem(), "VXQMRT6UpdateProgram needs a graphical display: DISPLAY is not set.");
    }
    {
        // No X server answers there.
        ASSERT_FALSE(juce::File("/tmp/.X11-unix/X4242").exists());
        const ScopedEnvironment deadDisplay("DISPLAY", juce::String(":4242"));
        EXPECT_EQ(findDisplayProblem(), "VXQMRT6UpdateProgram needs a graphical display: cannot open display :4242.");
    }
}
