#include "Scenario.h"

#include <cstdlib>
#include <sstream>

namespace hidstandin
{
namespace
{
std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;

    while (std::getline(stream, part, separator))
        parts.push_back(part);

    return parts;
}

bool parseNumber(const std::string& text, int& value, int largest = 1000000)
{
    if (text.empty() || text.size() > 7 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;

    value = std::atoi(text.c_str());
    return value <= largest;
}

bool parseHexByte(const std::string& text, int& value)
{
    if (text.size() < 1 || text.size() > 2 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return false;

    value = static_cast<int>(std::strtol(text.c_str(), nullptr, 16));
    return true;
}

bool parseDate(const std::string& text, std::array<std::uint8_t, 4>& date)
{
    if (text.size() != 8 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;

    for (std::size_t i = 0; i < 4; ++i)
        date[i] = static_cast<std::uint8_t>(((text[2 * i] - '0') << 4) | (text[2 * i + 1] - '0'));

    return true;
}

bool parseCommand(const std::string& text, UnitCommand& command)
{
    const std::pair<const char*, UnitCommand> names[] = {
        { "probe", UnitCommand::probe }, { "version", UnitCommand::versionQuery }, { "prepare", UnitCommand::prepare },
        { "window", UnitCommand::window }, { "data", UnitCommand::data }, { "length", UnitCommand::length },
        { "checksum", UnitCommand::checkSum }, { "poll", UnitCommand::poll },
    };

    for (auto& name : names)
    {
        if (text == name.first)
        {
            command = name.second;
            return true;
        }
    }

    return false;
}

// command:occurrence:action[:value], for example poll:1:refuse:3 or data:every:delay:5
bool parseFault(const std::string& text, UnitFault& fault)
{
    const auto fields = split(text, ':');

    if (fields.size() < 3 || fields.size() > 4 || ! parseCommand(fields[0], fault.command))
        return false;

    if (fields[1] == "every")
        fault.occurrence = 0;
    else if (! parseNumber(fields[1], fault.occurrence) || fault.occurrence == 0)
        return false;

    const auto& action = fields[2];
    const bool hasValue = fields.size() == 4;

    if (action == "silent" && ! hasValue)
        fault.action = UnitFault::Action::silent;
    else if (action == "wrong-echo" && ! hasValue)
        fault.action = UnitFault::Action::wrongEcho;
    else if (action == "refuse" && hasValue && parseNumber(fields[3], fault.value, 255))
        fault.action = UnitFault::Action::refuse;
    else if (action == "wrong-code" && hasValue && parseHexByte(fields[3], fault.value))
        fault.action = UnitFault::Action::wrongCode;
    else if (action == "delay" && hasValue && parseNumber(fields[3], fault.value, 600000))
        fault.action = UnitFault::Action::delay;
    else
        return false;

    return true;
}

bool applyPart(const std::string& key, const std::string& value, Scenario& scenario)
{
    auto& unit = scenario.unit;

    if (key == "plug")
    {
        int seconds = 0;

        if (value == "start")
            scenario.plug = Scenario::Plug::atStart;
        else if (value == "never")
            scenario.plug = Scenario::Plug::never;
        else if (value.rfind("after:", 0) == 0 && parseNumber(value.substr(6), seconds, 3600))
        {
            scenario.plug = Scenario::Plug::later;
            scenario.plugDelayMs = seconds * 1000;
        }
        else
            return false;

        return true;
    }

    if (key == "variant")
    {
        if (value != "A" && value != "B")
            return false;

        unit.variantB = value == "B";
        return true;
    }

    if (key == "version")
    {
        if (value == "none")
        {
            unit.version.fill(0xFF);
            return true;
        }

        if (value.size() != 4)
            return false;

        std::copy(value.begin(), value.end(), unit.version.begin());
        return true;
    }

    if (key == "kind1-probes")
    {
        if (value == "always")
        {
            unit.processorKind1Probes = -1;
            return true;
        }

        return parseNumber(value, unit.processorKind1Probes);
    }

    if (key == "date")          return parseDate(value, unit.date);
    if (key == "latency")       return parseNumber(value, unit.latencyMs, 60000);
    if (key == "busy")          return parseNumber(value, unit.busyPolls);
    if (key == "unplug-after")  return parseNumber(value, unit.unplugAfterReports);

    if (key == "fault")
    {
        UnitFault fault;

        if (! parseFault(value, fault))
            return false;

        unit.faults.push_back(fault);
        return true;
    }

    return false;
}
} // namespace

Scenario defaultScenario()
{
    Scenario scenario;
    scenario.unit.date = { 0x20, 0x20, 0x01, 0x01 };
    scenario.unit.version = { '1', '.', '0', '0' };
    scenario.unit.latencyMs = 1;
    return scenario;
}

bool parseScenario(const std::string& text, Scenario& scenario, std::string& error)
{
    for (const auto& part : split(text, ','))
    {
        if (part.empty())
            continue;

        const auto equals = part.find('=');
        const auto key = part.substr(0, equals);
        const auto value = equals == std::string::npos ? std::string() : part.substr(equals + 1);

        if (equals == std::string::npos || ! applyPart(key, value, scenario))
        {
            error = "bad part '" + part + "'";
            return false;
        }
    }

    return true;
}

} // namespace hidstandin
