// Sending a command and waiting for its answer, the probe and the version
// query, and the callback through which answers arrive.

#include "UnitProtocol.h"

#include "FirmwareImage.h"
#include "UpdateStatus.h"
#include "app/MainComponent.h"

#include <algorithm>
#include <cstring>

namespace UnitProtocol
{
juce::uint32 sumBytes(const juce::uint8* buffer, int length)
{
    if (length <= 0)
        return 0;

    // Its own copy, as the chunk buffer may be released while the sum is made.
    const juce::MemoryBlock copy(buffer, static_cast<size_t>(length));
    const auto* bytes = static_cast<const juce::uint8*>(copy.getData());
    juce::uint32 sum = 0;

    for (int i = 0; i < length; ++i)
        sum += bytes[i];

    return sum;
}

void writeLittleEndian(juce::uint8* report, int offset, juce::uint32 value)
{
    for (int i = 0; i < 4; ++i)
        report[offset + i] = static_cast<juce::uint8>(value >> (8 * i));
}
} // namespace UnitProtocol

using namespace UnitProtocol;

bool MainComponent::sendCommand()
{
    if (threadShouldExit() || status == UpdateStatus::unitRemoved)
        return true; // nothing sent, nothing awaited

    hid->write(command, reportSize); // a report that is not written shows as no answer

    if (! responseEvent.wait(answerTimeoutMs))
        return false;

    responseEvent.reset();

    // A wake that only asks the worker to stop carries no answer to judge.
    if (threadShouldExit())
        return true;

    const bool echoed = response[0] == command[0];
    const bool refusedAsMisunderstood = response[1] == Answer::refused && response[2] == 5;

    if (! echoed || refusedAsMisunderstood)
        setStatus(UpdateStatus::unexpectedAnswer);

    return true;
}

bool MainComponent::probeDevice()
{
    clearCommand(unitWide, Command::probe);
    command[2] = probeMarker;

    if (! sendCommand())
    {
        setStatus(UpdateStatus::noAnswer);
        return false;
    }

    switch (response[1])
    {
        case Answer::processorKind1:
            cpuType = 1; // probed again on the next pass
            return false;

        case Answer::variantA:
        case Answer::variantB:
            cpuType = 2;
            variantB = response[1] == Answer::variantB ? 1 : 0;
            return true;

        case Answer::refused:
        {
            const int reason = response[2];
            const int codes[] = { UpdateStatus::refusedReason1, UpdateStatus::refusedReason2,
                                  UpdateStatus::refusedReason3, UpdateStatus::refusedReason4 };
            setStatus(reason >= 1 && reason <= 4 ? codes[reason - 1] : UpdateStatus::unexpectedAnswer);
            cpuType = 0;
            return false;
        }

        default:
            setStatus(UpdateStatus::unexpectedAnswer);
            cpuType = 0;
            return false;
    }
}

void MainComponent::queryDeviceVersion()
{
    clearCommand(unitWide, Command::versionQuery);

    if (! sendCommand())
    {
        setStatus(UpdateStatus::noAnswer);
        return;
    }

    if (response[1] != Answer::version)
    {
        setStatus(UpdateStatus::unexpectedAnswer);
        return;
    }

    // Held reversed, as the image's date stamp is.
    for (int i = 0; i < 4; ++i)
        deviceDate[i] = response[5 - i];

    if (! isBcdDate(deviceDate))
    {
        setStatus(UpdateStatus::unitBadDateOrVersion);
        return;
    }

    if (std::memcmp(deviceDate, fileDate, 4) == 0)
    {
        regions[0].state = RegionRecord::upToDate;
        regions[2].size = 0x1000; // only the part that begins with the version text
    }
    else
    {
        regions[0].state = RegionRecord::toBeWritten;
    }

    if (response[7] == 0xFF && response[8] == 0xFF && response[9] == 0xFF && response[10] == 0xFF)
    {
        const char unversioned[] = "0.00";

        for (int i = 0; i < 4; ++i)
            response[7 + i] = static_cast<juce::uint8>(unversioned[i]);
    }

    juce::String version;

    for (int i = 7; i <= 10; ++i)
        version += juce::String::charToString(static_cast<juce::juce_wchar>(response[i].load()));

    deviceVersion = version;

    if (isVersionString(deviceVersion))
    {
        regions[1].state = RegionRecord::toBeWritten;
        regions[2].state = RegionRecord::toBeWritten;
    }
    else
    {
        setStatus(UpdateStatus::unitBadDateOrVersion);
    }
}

void MainComponent::inputReceived(int)
{
    const int length = std::min<int>(hid->length, reportSize);

    if (length <= 0)
        return;

    for (int i = 0; i < length; ++i)
        response[i] = hid->buffer[i];

    std::memset(hid->buffer, 0, sizeof(hid->buffer));

    if (isThreadRunning())
        responseEvent.signal();
}

void MainComponent::clearCommand(juce::uint8 target, juce::uint8 code)
{
    std::memset(command, 0, sizeof(command));
    command[0] = target;
    command[1] = code;
}
