#pragma once

// The values of the status word: a screen state, or an error code.
namespace UpdateStatus
{
constexpr int languageSelection = 0;
constexpr int ready = 1;
constexpr int startPressed = 2;  // the worker sends the prepare command
constexpr int announceChunk = 3; // window command
constexpr int sendChunk = 4;
constexpr int sendCheckSum = 5;
constexpr int pollWrite = 6;
constexpr int complete = 8;

constexpr int noImageFile = 0xE01;
constexpr int imageUnreadable = 0xE02;
constexpr int imageWrongSize = 0xE03;
constexpr int imageBadDateOrVersion = 0xE04;
constexpr int imageCrcMismatch = 0xE05;
constexpr int unitBadDateOrVersion = 0xE11;
constexpr int notConnected = 0xE21;
constexpr int refusedReason1 = 0xE31;
constexpr int imageLostDuringTransfer = 0xE32;
constexpr int refusedReason2 = 0xE33;
constexpr int refusedReason3 = 0xE34;
constexpr int refusedReason4 = 0xE35;
constexpr int noAnswer = 0xE36;
constexpr int unitRemoved = 0xE37;
constexpr int unexpectedAnswer = 0xE41;

constexpr bool isError(int status) { return status >= noImageFile && status <= unexpectedAnswer; }
} // namespace UpdateStatus
