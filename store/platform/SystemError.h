#pragma once

#include <string>

// Why a call to the operating system failed, as the system reports it: errno on Debian,
// GetLastError on Windows. SQLite's file layer keeps the same codes. Each platform has its own
// room (posix/, windows/) behind this header.
namespace store {

// In German, as the end of a sentence ("keine Berechtigung"); empty for 0, the code of no failure.
std::string SystemReason(int code);
// Whether `code` says that the disk (or the user's share of it) is full.
bool MeansDiskFull(int code);

// The codes of a failing disk and of a full one here, for tests that fail calls on purpose.
int SystemCodeOfIoError();
int SystemCodeOfDiskFull();

}  // namespace store
