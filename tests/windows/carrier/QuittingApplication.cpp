// The carrier's application: it ends as soon as it starts, with an exit
// code of its own, so that a test sees the entry point run JUCE's
// application main and hand back its result.

#include "app/Application.h"

#include "CarrierExitCode.h"

namespace
{
class QuittingApplication : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "WindowsProgramPartsCarrier"; }
    const juce::String getApplicationVersion() override { return "1.0.0"; }

    void initialise(const juce::String&) override
    {
        setApplicationReturnValue(carrierExitCode);
        quit();
    }

    void shutdown() override {}
};
} // namespace

juce::JUCEApplicationBase* createApplication()
{
    return new QuittingApplication();
}
