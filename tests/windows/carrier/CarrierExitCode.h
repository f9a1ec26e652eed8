#pragma once

// What the carrier's application returns, and the test expects back.
constexpr int carrierExitCode = 42;
