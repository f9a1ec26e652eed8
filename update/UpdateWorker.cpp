// The worker thread "UpdatingThread": the whole update as a state machine
// driven by the status word, from the first probe to the finish report; the
// status word's sticky setter; and the unit's arrival and removal.

#include "FirmwareImage.h"
#include "UnitProtocol.h"
#include "UpdateStatus.h"
#include "app/MainComponent.h"

#include <algorithm>

using namespace UnitProtocol;

namespace
{
constexpr int passWaitMs = 1;
constexpr int pollWaitMs = 100;
constexpr int removalPauseMs = 100;
constexpr int stopTimeoutMs = 5000;

// Where the unit gets ready for the transfer, by the first region written.
struct Preparation
{
    juce::uint32 address, length;
};

constexpr Preparation preparations[3] = { { 0x1C0000, 0x10000 }, { 0x1C0000, 0x1000 }, { 0, 0 } };
} // namespace

void MainComponent::setStatus(int code)
{
    // One compare-and-swap loop, so that a removal stored by the GUI thread
    // between the check and the store is never lost. Once an error is in the
    // word, no worker state replaces it, so no failure shows as success.
    auto current = status.load();

    do
    {
        if (current == UpdateStatus::unitRemoved)
            return;

        if (UpdateStatus::isError(current) && ! UpdateStatus::isError(code))
            return;
    }
    while (! status.compare_exchange_weak(current, code));
}

bool MainComponent::sumSelectedSizes()
{
    for (auto& region : regions)
        if (region.state == RegionRecord::toBeWritten)
            totalBytes += region.size;

    if (totalBytes > 0)
        return true;

    setStatus(UpdateStatus::unexpectedAnswer);
    return false;
}

void MainComponent::run()
{
    int pollMs = passWaitMs;

    do
    {
        requestScreenBuild();
        wait(pollMs);
        currentImage = imageIndex.load();

        switch (status.load())
        {
            case UpdateStatus::languageSelection: probeStep(); break;
            case UpdateStatus::ready: break;
            case UpdateStatus::startPressed: prepareStep(); break;
            case UpdateStatus::announceChunk: windowStep(); break;
            case UpdateStatus::sendChunk: sendChunkStep(); break;
            case UpdateStatus::sendCheckSum: if (checkSumStep()) pollMs = pollWaitMs; break;
            case UpdateStatus::pollWrite: if (pollStep()) pollMs = passWaitMs; break;
            default: setStatus(UpdateStatus::unexpectedAnswer); break;
        }

        const int now = status;

        if (now == UpdateStatus::complete)
        {
            completeUpdate();
        }
        else if (UpdateStatus::isError(now))
        {
            requestScreenBuild();
            signalThreadShouldExit();
        }
    }
    while (! threadShouldExit());
}

void MainComponent::probeStep()
{
    if (! probeDevice())
        return;

    findFirmwareFile();

    if (layoutReady == 8)
        queryDeviceVersion();

    if (status == UpdateStatus::languageSelection && sumSelectedSizes())
        setStatus(UpdateStatus::ready);
}

void MainComponent::prepareStep()
{
    for (int i = 0; i < 3; ++i)
    {
        if (regions[i].state == RegionRecord::toBeWritten)
        {
            imageIndex = i;
            break;
        }
    }

    const int first = imageIndex;

    if (first == 0)
        firstRegionStarted = 1;

    clearCommand(regions[first].target, Command::prepare);
    writeLittleEndian(command, 2, preparations[first].address);
    command[6] = windowMarker;
    writeLittleEndian(command, 7, preparations[first].length);

    if (! sendCommand())
        setStatus(UpdateStatus::noAnswer);
    else
        setStatus(response[1] == Answer::accepted ? UpdateStatus::announceChunk : UpdateStatus::unexpectedAnswer);
}

void MainComponent::windowStep()
{
    const int index = imageIndex;

    if (index >= 3)
    {
        setStatus(UpdateStatus::complete);
        return;
    }

    const auto& region = regions[index];

    if (region.state != RegionRecord::toBeWritten)
    {
        imageIndex = index + 1; // the status stays, so the next pass looks at the next region
        currentImage = index + 1;
        return;
    }

    const auto sent = sentOffset.load();
    clearCommand(region.target, Command::window);
    writeLittleEndian(command, 2, static_cast<juce::uint32>(region.address + sent));
    command[6] = windowMarker;
    writeLittleEndian(command, 7, static_cast<juce::uint32>(std::min(region.size - sent, chunkSize)));

    if (! sendCommand())
        setStatus(UpdateStatus::noAnswer);
    else
        setStatus(response[1] == Answer::accepted ? UpdateStatus::sendChunk : UpdateStatus::unexpectedAnswer);
}

void MainComponent::sendChunkStep()
{
    const auto& region = regions[imageIndex.load()];
    const auto length = static_cast<int>(std::min<juce::int64>(static_cast<juce::uint32>(region.size)
                                                                   - static_cast<juce::uint32>(sentOffset.load()),
                                                               chunkSize));
    juce::MemoryBlock buffer(static_cast<size_t>(length), true);

    {
        // Only the file that was verified goes to the unit: a file changed,
        // truncated or replaced since is not sent, nor are zeros for bytes a
        // short read did not deliver.
        if (region.file.getSize() != fileSize || region.file.getLastModificationTime() != fileModified)
        {
            setStatus(UpdateStatus::imageLostDuringTransfer);
            return;
        }

        juce::FileInputStream stream(region.file);

        if (! stream.openedOk() || ! stream.setPosition(region.fileOffset + chunkOffset.load())
            || stream.read(buffer.getData(), length) != length)
        {
            setStatus(UpdateStatus::imageLostDuringTransfer);
            return;
        }
    }

    auto* bytes = static_cast<juce::uint8*>(buffer.getData());

    if (fileScrambled == 1)
        descrambleFirmwareImage(crcTable, bytes, fileKey, static_cast<juce::uint32>(length));

    // False when the rest of the chunk is not to be sent.
    const auto answered = [this] {
        if (! sendCommand())
        {
            setStatus(UpdateStatus::noAnswer);
            return false;
        }

        if (threadShouldExit())
            return false;

        if (response[1] != Answer::accepted)
            setStatus(UpdateStatus::unexpectedAnswer); // the rest of the chunk still goes

        return true;
    };

    const double base = progress;

    for (int sent = 0; sent < length; sent += dataPerReport)
    {
        storeProgress(base + sent / static_cast<double>(totalBytes));
        clearCommand(region.target, Command::data);

        if (length > sent + dataPerReport)
        {
            std::memcpy(command + 2, bytes + sent, dataPerReport);
            sentOffset += dataPerReport;

            if (! answered())
                break;
        }
        else
        {
            const int rest = length - sent;
            sentOffset += rest;
            command[1] = Command::length;
            command[2] = static_cast<juce::uint8>(rest);

            if (! answered())
                break;

            clearCommand(region.target, Command::data);
            std::memcpy(command + 2, bytes + sent, static_cast<size_t>(rest));

            if (! answered())
                break;
        }
    }

    if (status == UpdateStatus::sendChunk)
    {
        chunkSum = sumBytes(bytes, length);
        setStatus(UpdateStatus::sendCheckSum);
    }
}

bool MainComponent::checkSumStep()
{
    const auto& region = regions[imageIndex.load()];
    clearCommand(region.target, Command::checkSum);
    writeLittleEndian(command, 2, chunkSum);

    if (! sendCommand())
    {
        setStatus(UpdateStatus::noAnswer);
        return false;
    }

    if (response[1] == Answer::accepted)
    {
        setStatus(UpdateStatus::pollWrite);
        return true;
    }

    const bool sumRefused = response[1] == Answer::refused && response[2] == 2;
    setStatus(sumRefused ? UpdateStatus::refusedReason2 : UpdateStatus::unexpectedAnswer);
    return false;
}

bool MainComponent::pollStep()
{
    const int index = imageIndex;
    const auto& region = regions[index];
    clearCommand(region.target, Command::poll);

    if (! sendCommand())
    {
        setStatus(UpdateStatus::noAnswer);
        return false;
    }

    switch (response[1])
    {
        case Answer::busy:
        case Answer::stillBusy:
            return false; // polled again on the next pass

        case Answer::refused:
            setStatus(response[2] == 3   ? UpdateStatus::refusedReason3
                      : response[2] == 4 ? UpdateStatus::refusedReason4
                                         : UpdateStatus::unexpectedAnswer);
            return false;

        case Answer::written:
            if (chunkOffset + chunkSize < region.size)
            {
                chunkOffset += static_cast<juce::int32>(chunkSize);
            }
            else
            {
                imageIndex = index + 1;
                currentImage = index + 1;
                chunkOffset = 0;
                sentOffset = 0;
            }

            setStatus(UpdateStatus::announceChunk);
            return true;

        default:
            setStatus(UpdateStatus::unexpectedAnswer);
            return false;
    }
}

void MainComponent::completeUpdate()
{
    storeProgress(1.0);
    clearCommand(unitWide, Command::finish);
    hid->write(command, reportSize); // the one report not waited for
    requestScreenBuild();
    finished = 1;
    signalThreadShouldExit();
}

void MainComponent::requestScreenBuild()
{
    const juce::ScopedLock screenLock(lock);
    triggerAsyncUpdate();
}

void MainComponent::storeProgress(double value)
{
    // The progress bar reads the plain double on the GUI thread.
    __atomic_store(&progress, &value, __ATOMIC_RELEASE);
}

void MainComponent::deviceArrived()
{
    // The link holds the connected flag itself.
}

void MainComponent::deviceRemoved()
{
    if (! markUnitRemoved())
        return; // while probing, the removal shows as the probe's time-out

    wait(removalPauseMs);
    stopWorker();
    requestScreenBuild();
}

bool MainComponent::markUnitRemoved()
{
    // Only over the ready screen and the update's steps, and never over a
    // value the worker stored in between.
    auto current = status.load();

    while (current >= UpdateStatus::ready && current <= UpdateStatus::pollWrite)
        if (status.compare_exchange_weak(current, UpdateStatus::unitRemoved))
            return true;

    return false;
}

bool MainComponent::stopWorker()
{
    // Asked to exit before it is woken, so that a woken worker sends nothing more.
    signalThreadShouldExit();
    responseEvent.signal();

    return ! isThreadRunning() || stopThread(stopTimeoutMs);
}
