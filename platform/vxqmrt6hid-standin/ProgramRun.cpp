#include "ProgramRun.h"

#include "DeviceSet.h"
#include "Scenario.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>

namespace hidstandin
{
namespace
{
struct Run
{
    bool set = false;
    Scenario scenario;
    std::shared_ptr<SimulatedUnit> unit;
    int deviceNumber = -1;
};

Run& run()
{
    static Run instance;
    return instance;
}
} // namespace

void setUpProgramRun()
{
    auto& current = run();

    if (current.set || DeviceSet::instance().claimedByTests())
        return;

    current.set = true;
    current.scenario = defaultScenario();

    if (const char* text = std::getenv("VXQMRT6_SIMULATED_UNIT"))
    {
        std::string error;

        if (! parseScenario(text, current.scenario, error))
        {
            std::cerr << "vxqmrt6hid stand-in: VXQMRT6_SIMULATED_UNIT has a " << error << "\n";
            std::exit(2);
        }
    }

    if (current.scenario.plug == Scenario::Plug::never)
        return;

    current.unit = std::make_shared<SimulatedUnit>(current.scenario.unit);
    current.deviceNumber = DeviceSet::instance().addDevice(SimulatedUnit::deviceType, current.unit,
                                                           current.scenario.plug == Scenario::Plug::atStart, 0x0100);
}

void startProgramRun()
{
    const auto& current = run();

    if (current.unit != nullptr && current.scenario.plug == Scenario::Plug::later)
        DeviceSet::instance().plug(current.deviceNumber, current.scenario.plugDelayMs);
}

void finishProgramRun()
{
    const auto& current = run();
    const char* path = std::getenv("VXQMRT6_UNIT_MEMORY_FILE");

    if (current.unit == nullptr || path == nullptr || *path == 0)
        return;

    const auto memory = current.unit->memory();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(memory.data()), static_cast<std::streamsize>(memory.size()));

    if (! file)
        std::cerr << "vxqmrt6hid stand-in: cannot write the unit's memory to " << path << "\n";

    for (const auto& problem : current.unit->violations())
        std::cerr << "vxqmrt6hid stand-in: the unit saw " << problem << "\n";
}

} // namespace hidstandin
