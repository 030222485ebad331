#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "store/sqlite/SpecialFiles.h"

// SQLite's result codes do not say which file failed, nor why. What the program's file layers
// saw below SQLite since the statement began is kept in one note: the first call the system
// failed (FileWatch), the system's reason for the first open it failed, and a file the guard
// refused (SpecialFiles). The note is written inside SQLite's C code, through which no exception
// may pass, so it is kept without allocating; and it is forgotten all at once, when a statement
// begins.
namespace store {

enum class FileCall { Open, OpenForWriting, Read, Write, Sync, Truncate, Lock, Delete };
enum class FileRole { Database, Journal, Other };

struct FileFailure {
    FileCall call;
    FileRole role;
    std::string path;
    int resultCode;  // what the platform's layer returned to SQLite
    int systemCode;  // errno, GetLastError on Windows; 0 when unknown
};

// Room for any path the system takes, in UTF-8: a Windows path of 4095 UTF-16 units too.
inline constexpr std::size_t kNotedPathBytes = 3 * 4096;

// The first call the system failed; a later one follows from it and is not noted.
void NoteFailure(FileCall call, FileRole role, const char* path, int resultCode,
                 int systemCode) noexcept;
void NoteFailedOpen(int systemCode) noexcept;
// `kind` outlives the note: one of the guard's own words for a file's kind.
void NoteRefusal(const char* path, const char* kind) noexcept;

// What was noted before belongs to a statement that is over.
void ForgetFailures() noexcept;

// The first failure since the note was forgotten. A file opened only for reading because opening
// it for writing failed counts as a failure (FileCall::OpenForWriting).
std::optional<FileFailure> NotedFailure();
// Whether that first failure is a read. SQLite's Unix layer reports a read the disk refused as a
// damaged page, and its own check of a file lists such a page among its findings.
bool ReadFailed();
// The system's reason for the first open it failed. SQLite tries a file it cannot open for writing
// once more for reading only, and what the system says then ("no such file" for a journal never
// made) is not the reason.
int FirstFailedOpen();
// The file the guard refused, if it refused one.
std::optional<SpecialFile> RefusedFile();

}  // namespace store
