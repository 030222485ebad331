#pragma once

#include <optional>
#include <string>
#include <string_view>

// A pipe (FIFO), socket or device under the name of the database, or of one of the files SQLite
// keeps beside it (-journal, -wal, -shm), would make opening it wait until some other program
// writes to it: the window would hang. Such files are refused by name instead. Each platform has
// its own room (posix/, windows/) behind this header.
namespace store {

// Windows: a file another program holds open for itself alone (no sharing).
inline constexpr std::string_view kInUseElsewhere = "von einem anderen Programm belegt";

// A file that is there but that the program cannot take for its database.
struct SpecialFile {
    std::string path;
    std::string kind;  // "eine Pipe (FIFO)", "ein Socket", "ein Gerät", or kInUseElsewhere
};

// What is at `path` when it is neither an ordinary file nor a folder (links followed); nothing
// when it is one of those or nothing is there. Never opens the file.
std::optional<SpecialFile> SpecialFileAt(const std::string& path);

// Makes every file SQLite opens from now on pass the test above at the moment it is opened,
// without waiting (no window between the test and the open); a refused open fails as if the
// file could not be opened. The refused file, and the system's reason for the first open that
// failed, go into the note of failures (FailureNote). Idempotent.
void GuardSqliteOpens();

// The message that names `file` and says what to do about it.
std::string SpecialFileMessage(const SpecialFile& file);

}  // namespace store
