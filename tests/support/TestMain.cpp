// Runs the tests on the JUCE message thread, so that tests can pump the
// message loop as the program's GUI thread does.

#include <gtest/gtest.h>

#include <juce_events/juce_events.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
