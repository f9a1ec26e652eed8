#include "app/MainComponent.h"

#include "UpdateStatus.h"

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
