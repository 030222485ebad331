#include "store/sqlite/FailureNote.h"

#include <cstring>

namespace store {
namespace {

struct FailureNote {
    bool failed = false;  // the first call the system failed, below
    FileCall call = FileCall::Open;
    FileRole role = FileRole::Other;
    int resultCode = 0;
    int systemCode = 0;
    char path[kNotedPathBytes] = {};
    // errno (GetLastError on Windows) of the first open the system failed; 0 when none did.
    int firstFailedOpen = 0;
    bool refused = false;  // the file the guard refused last, below
    const char* refusedKind = nullptr;
    char refusedPath[kNotedPathBytes] = {};
};
// One note for each thread: every thread runs its own statements.
thread_local FailureNote gNote;

void CopyPath(char (&to)[kNotedPathBytes], const char* from) noexcept {
    std::strncpy(to, from != nullptr ? from : "", sizeof to - 1);
    to[sizeof to - 1] = '\0';
}

}  // namespace

void NoteFailure(FileCall call, FileRole role, const char* path, int resultCode,
                 int systemCode) noexcept {
    if (gNote.failed) return;
    gNote.failed = true;
    gNote.call = call;
    gNote.role = role;
    gNote.resultCode = resultCode;
    gNote.systemCode = systemCode;
    CopyPath(gNote.path, path);
}

void NoteFailedOpen(int systemCode) noexcept {
    if (gNote.firstFailedOpen == 0) gNote.firstFailedOpen = systemCode;
}

void NoteRefusal(const char* path, const char* kind) noexcept {
    gNote.refused = true;
    gNote.refusedKind = kind;
    CopyPath(gNote.refusedPath, path);
}

void ForgetFailures() noexcept {
    gNote.failed = false;
    gNote.firstFailedOpen = 0;
    gNote.refused = false;
}

std::optional<FileFailure> NotedFailure() {
    if (!gNote.failed) return std::nullopt;
    return FileFailure{gNote.call, gNote.role, gNote.path, gNote.resultCode, gNote.systemCode};
}

bool ReadFailed() { return gNote.failed && gNote.call == FileCall::Read; }

int FirstFailedOpen() { return gNote.firstFailedOpen; }

std::optional<SpecialFile> RefusedFile() {
    if (!gNote.refused) return std::nullopt;
    return SpecialFile{gNote.refusedPath, gNote.refusedKind};
}

}  // namespace store
