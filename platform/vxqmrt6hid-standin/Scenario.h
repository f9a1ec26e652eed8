#pragma once

// What a run of the real program meets: the simulated unit chosen by the
// environment variable VXQMRT6_SIMULATED_UNIT, a comma-separated list of
// key=value parts (see the README); without it, a variant-A unit with an
// older firmware, present at start, answering in about 1 ms.

#include "SimulatedUnit.h"

#include <string>

namespace hidstandin
{
struct Scenario
{
    enum class Plug { atStart, later, never };

    UnitConfig unit;
    Plug plug = Plug::atStart;
    int plugDelayMs = 0;
};

HIDSTANDIN_API Scenario defaultScenario();

// Reads a scenario text over the default one; on a bad part, false with a
// message that names it.
HIDSTANDIN_API bool parseScenario(const std::string& text, Scenario& scenario, std::string& error);

} // namespace hidstandin
