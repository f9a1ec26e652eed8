#pragma once

// A run of the real program, as opposed to a test that drives the devices
// itself: the simulated unit comes from the environment, and its memory can
// be written to a file when the library is finalised.

namespace hidstandin
{
// At HID_Initialize: adds the scenario's unit. A bad scenario ends the
// process with one line that names the bad part.
void setUpProgramRun();
// At HID_Start: plugs a unit that the scenario plugs in later.
void startProgramRun();
// At HID_Finalize: writes the unit's memory to VXQMRT6_UNIT_MEMORY_FILE.
void finishProgramRun();
} // namespace hidstandin
