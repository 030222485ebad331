#include "store/sqlite/FileWatch.h"

#include <sqlite3.h>

#include "store/sqlite/FailureNote.h"
#include "store/sqlite/FileLayer.h"

namespace store {
namespace {

// What SQLite meets in ordinary work is no failure: a short read past the end of a file, a
// journal that was not there to delete, a lock another program holds (SQLITE_BUSY).
bool IsFailure(int resultCode) {
    if (resultCode == SQLITE_IOERR_SHORT_READ || resultCode == SQLITE_IOERR_DELETE_NOENT) {
        return false;
    }
    const int primary = resultCode & 0xff;
    // SQLITE_READONLY_DIRECTORY: a journal could not be made in a folder the user may not write.
    return primary == SQLITE_IOERR || primary == SQLITE_FULL || primary == SQLITE_CANTOPEN ||
           primary == SQLITE_READONLY;
}

FileRole RoleOf(int flags) {
    if ((flags & SQLITE_OPEN_MAIN_DB) != 0) return FileRole::Database;
    if ((flags & SQLITE_OPEN_MAIN_JOURNAL) != 0) return FileRole::Journal;
    return FileRole::Other;
}

class Watch final : public FileLayer {
  public:
    explicit Watch(sqlite3_vfs* below) : FileLayer("varedadav-watch", below) {}

  private:
    static int Checked(File& file, FileCall call, int resultCode) {
        if (IsFailure(resultCode)) {
            int systemCode = 0;
            file.real->pMethods->xFileControl(file.real, SQLITE_FCNTL_LAST_ERRNO, &systemCode);
            NoteFailure(call, RoleOf(file.flags), file.name, resultCode, systemCode);
        }
        return resultCode;
    }

    int Open(File& file, sqlite3_vfs* below, int flags, int* outFlags) override {
        int openedAs = 0;
        const int resultCode = FileLayer::Open(file, below, flags, &openedAs);
        const int firstFailure = FirstFailedOpen();
        if (outFlags != nullptr) *outFlags = openedAs;
        if (IsFailure(resultCode) ||
            // The platform's layer opens a file it cannot write to for reading only, without a
            // word.
            (resultCode == SQLITE_OK && (flags & SQLITE_OPEN_READWRITE) != 0 &&
             (openedAs & SQLITE_OPEN_READONLY) != 0)) {
            NoteFailure(resultCode == SQLITE_OK ? FileCall::OpenForWriting : FileCall::Open,
                        RoleOf(flags), file.name, resultCode,
                        firstFailure != 0 ? firstFailure : below->xGetLastError(below, 0, nullptr));
        }
        return resultCode;
    }
    int Read(File& file, void* buffer, int amount, sqlite3_int64 offset) override {
        const int resultCode = FileLayer::Read(file, buffer, amount, offset);
        // SQLite takes a short read for the end of the file and the missing bytes for zeros, and
        // keeps them in its cache. Short of the end, the disk failed to give what the file holds.
        sqlite3_int64 size = 0;
        if (resultCode == SQLITE_IOERR_SHORT_READ &&
            file.real->pMethods->xFileSize(file.real, &size) == SQLITE_OK &&
            offset + amount <= size) {
            NoteFailure(FileCall::Read, RoleOf(file.flags), file.name, resultCode, 0);
        }
        return Checked(file, FileCall::Read, resultCode);
    }
    int Write(File& file, const void* buffer, int amount, sqlite3_int64 offset) override {
        return Checked(file, FileCall::Write, FileLayer::Write(file, buffer, amount, offset));
    }
    int Truncate(File& file, sqlite3_int64 size) override {
        return Checked(file, FileCall::Truncate, FileLayer::Truncate(file, size));
    }
    int Sync(File& file, int flags) override {
        return Checked(file, FileCall::Sync, FileLayer::Sync(file, flags));
    }
    int FileSize(File& file, sqlite3_int64* size) override {
        return Checked(file, FileCall::Read, FileLayer::FileSize(file, size));
    }
    int Lock(File& file, int level) override {
        return Checked(file, FileCall::Lock, FileLayer::Lock(file, level));
    }
    int Unlock(File& file, int level) override {
        return Checked(file, FileCall::Lock, FileLayer::Unlock(file, level));
    }
    int CheckReservedLock(File& file, int* result) override {
        return Checked(file, FileCall::Lock, FileLayer::CheckReservedLock(file, result));
    }
    int ShmMap(File& file, int page, int size, int extend, void volatile** memory) override {
        return Checked(file, FileCall::Read, FileLayer::ShmMap(file, page, size, extend, memory));
    }
    int ShmLock(File& file, int offset, int n, int flags) override {
        return Checked(file, FileCall::Lock, FileLayer::ShmLock(file, offset, n, flags));
    }
    int Fetch(File& file, sqlite3_int64 offset, int amount, void** page) override {
        return Checked(file, FileCall::Read, FileLayer::Fetch(file, offset, amount, page));
    }
    int Delete(const char* name, int syncDir) override {
        const int resultCode = FileLayer::Delete(name, syncDir);
        if (IsFailure(resultCode)) {
            NoteFailure(FileCall::Delete, FileRole::Other, name, resultCode,
                        Below()->xGetLastError(Below(), 0, nullptr));
        }
        return resultCode;
    }
};

Watch* gWatch = nullptr;

bool Install() {
    sqlite3_vfs* below = sqlite3_vfs_find(nullptr);
    if (below == nullptr) return false;
    static Watch watch(below);
    gWatch = &watch;
    return sqlite3_vfs_register(watch.Vfs(), 1) == SQLITE_OK;
}

}  // namespace

void WatchSqliteFiles() {
    static const bool watching = Install();
    static_cast<void>(watching);
}

sqlite3_vfs* FileLayerUnderWatch() {
    WatchSqliteFiles();
    return gWatch != nullptr ? gWatch->Below() : nullptr;
}

void PutFileLayerUnderWatch(sqlite3_vfs* layer) {
    WatchSqliteFiles();
    if (gWatch != nullptr) gWatch->PutBelow(layer);
}

}  // namespace store
