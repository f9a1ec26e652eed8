#pragma once

// Under Wine, JUCE's windows ask to be redrawn on a vertical blank that Wine
// never reports, so after the first paint nothing on screen changes (and the
// push button, which follows the Return key while it paints, never clicks).
// Under Wine this hands the pending repaints on about sixty times a second;
// on Windows itself it does nothing. Call once the JUCE GUI is initialised.
void startWineRepaintPump();
