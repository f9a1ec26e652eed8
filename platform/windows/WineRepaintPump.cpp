#include "WineRepaintPump.h"

#include "../win32.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
bool runningUnderWine()
{
    const auto ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Lives until JUCE shuts its GUI down, which deletes it.
class RepaintPump : public juce::DeletedAtShutdown, private juce::Timer
{
public:
    RepaintPump() { startTimerHz(60); }

private:
    void timerCallback() override
    {
        for (int i = 0; i < juce::ComponentPeer::getNumPeers(); ++i)
            juce::ComponentPeer::getPeer(i)->performAnyPendingRepaintsNow();
    }
};
} // namespace

void startWineRepaintPump()
{
    if (runningUnderWine())
        new RepaintPump();
}
