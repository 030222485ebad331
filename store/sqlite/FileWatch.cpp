#include "store/sqlite/FileWatch.h"

#include <sqlite3.h>

#include <cstring>

#include "store/sqlite/FailureNote.h"

namespace store {
namespace {

sqlite3_vfs* gBelow = nullptr;
sqlite3_vfs gWatch;
sqlite3_io_methods gMethods;

struct WatchedFile {
    sqlite3_file base;
    sqlite3_file* real;  // the layer below's file, allocated at open with that layer's size
    const char* name;    // SQLite keeps it valid until the file is closed
    FileRole role;
};

WatchedFile& Watched(sqlite3_file* file) { return *reinterpret_cast<WatchedFile*>(file); }
sqlite3_file* Real(sqlite3_file* file) { return Watched(file).real; }

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

int Checked(sqlite3_file* file, FileCall call, int resultCode) {
    if (IsFailure(resultCode)) {
        int systemCode = 0;
        Real(file)->pMethods->xFileControl(Real(file), SQLITE_FCNTL_LAST_ERRNO, &systemCode);
        NoteFailure(call, Watched(file).role, Watched(file).name, resultCode, systemCode);
    }
    return resultCode;
}

int Close(sqlite3_file* file) {
    const int resultCode = Real(file)->pMethods->xClose(Real(file));
    sqlite3_free(Real(file));
    return resultCode;
}
int Read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset) {
    const int resultCode = Real(file)->pMethods->xRead(Real(file), buffer, amount, offset);
    // SQLite takes a short read for the end of the file and the missing bytes for zeros, and
    // keeps them in its cache. Short of the end, the disk failed to give what the file holds.
    sqlite3_int64 size = 0;
    if (resultCode == SQLITE_IOERR_SHORT_READ &&
        Real(file)->pMethods->xFileSize(Real(file), &size) == SQLITE_OK &&
        offset + amount <= size) {
        NoteFailure(FileCall::Read, Watched(file).role, Watched(file).name, resultCode, 0);
    }
    return Checked(file, FileCall::Read, resultCode);
}
int Write(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset) {
    return Checked(file, FileCall::Write,
                   Real(file)->pMethods->xWrite(Real(file), buffer, amount, offset));
}
int Truncate(sqlite3_file* file, sqlite3_int64 size) {
    return Checked(file, FileCall::Truncate, Real(file)->pMethods->xTruncate(Real(file), size));
}
int Sync(sqlite3_file* file, int flags) {
    return Checked(file, FileCall::Sync, Real(file)->pMethods->xSync(Real(file), flags));
}
int FileSize(sqlite3_file* file, sqlite3_int64* size) {
    return Checked(file, FileCall::Read, Real(file)->pMethods->xFileSize(Real(file), size));
}
int Lock(sqlite3_file* file, int level) {
    return Checked(file, FileCall::Lock, Real(file)->pMethods->xLock(Real(file), level));
}
int Unlock(sqlite3_file* file, int level) {
    return Checked(file, FileCall::Lock, Real(file)->pMethods->xUnlock(Real(file), level));
}
int CheckReservedLock(sqlite3_file* file, int* result) {
    return Checked(file, FileCall::Lock,
                   Real(file)->pMethods->xCheckReservedLock(Real(file), result));
}
int FileControl(sqlite3_file* file, int op, void* arg) {
    return Real(file)->pMethods->xFileControl(Real(file), op, arg);
}
int SectorSize(sqlite3_file* file) { return Real(file)->pMethods->xSectorSize(Real(file)); }
int DeviceCharacteristics(sqlite3_file* file) {
    return Real(file)->pMethods->xDeviceCharacteristics(Real(file));
}
int ShmMap(sqlite3_file* file, int page, int size, int extend, void volatile** memory) {
    return Checked(file, FileCall::Read,
                   Real(file)->pMethods->xShmMap(Real(file), page, size, extend, memory));
}
int ShmLock(sqlite3_file* file, int offset, int n, int flags) {
    return Checked(file, FileCall::Lock,
                   Real(file)->pMethods->xShmLock(Real(file), offset, n, flags));
}
void ShmBarrier(sqlite3_file* file) { Real(file)->pMethods->xShmBarrier(Real(file)); }
int ShmUnmap(sqlite3_file* file, int deleteFlag) {
    return Real(file)->pMethods->xShmUnmap(Real(file), deleteFlag);
}
int Fetch(sqlite3_file* file, sqlite3_int64 offset, int amount, void** page) {
    return Checked(file, FileCall::Read,
                   Real(file)->pMethods->xFetch(Real(file), offset, amount, page));
}
int Unfetch(sqlite3_file* file, sqlite3_int64 offset, void* page) {
    return Real(file)->pMethods->xUnfetch(Real(file), offset, page);
}

FileRole RoleOf(int flags) {
    if ((flags & SQLITE_OPEN_MAIN_DB) != 0) return FileRole::Database;
    if ((flags & SQLITE_OPEN_MAIN_JOURNAL) != 0) return FileRole::Journal;
    return FileRole::Other;
}

int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    sqlite3_vfs* below = gBelow;
    WatchedFile& watched = Watched(file);
    watched.base.pMethods = nullptr;
    watched.name = name;
    watched.role = RoleOf(flags);
    watched.real = static_cast<sqlite3_file*>(sqlite3_malloc(below->szOsFile));
    if (watched.real == nullptr) return SQLITE_NOMEM;
    std::memset(watched.real, 0, static_cast<std::size_t>(below->szOsFile));
    int openedAs = 0;
    const int resultCode = below->xOpen(below, name, watched.real, flags, &openedAs);
    const int firstFailure = FirstFailedOpen();
    if (outFlags != nullptr) *outFlags = openedAs;
    if (IsFailure(resultCode) ||
        // The platform's layer opens a file it cannot write to for reading only, without a word.
        (resultCode == SQLITE_OK && (flags & SQLITE_OPEN_READWRITE) != 0 &&
         (openedAs & SQLITE_OPEN_READONLY) != 0)) {
        NoteFailure(resultCode == SQLITE_OK ? FileCall::OpenForWriting : FileCall::Open,
                    watched.role, name, resultCode,
                    firstFailure != 0 ? firstFailure : below->xGetLastError(below, 0, nullptr));
    }
    if (watched.real->pMethods == nullptr) {  // xClose will not be called: nothing to close
        sqlite3_free(watched.real);
        watched.real = nullptr;
        return resultCode;
    }
    gMethods.iVersion = watched.real->pMethods->iVersion;
    watched.base.pMethods = &gMethods;
    return resultCode;
}

int Delete(sqlite3_vfs*, const char* name, int syncDir) {
    const int resultCode = gBelow->xDelete(gBelow, name, syncDir);
    if (IsFailure(resultCode)) {
        NoteFailure(FileCall::Delete, FileRole::Other, name, resultCode,
                    gBelow->xGetLastError(gBelow, 0, nullptr));
    }
    return resultCode;
}
int Access(sqlite3_vfs*, const char* name, int flags, int* result) {
    return gBelow->xAccess(gBelow, name, flags, result);
}
int FullPathname(sqlite3_vfs*, const char* name, int size, char* out) {
    return gBelow->xFullPathname(gBelow, name, size, out);
}
int Randomness(sqlite3_vfs*, int size, char* out) { return gBelow->xRandomness(gBelow, size, out); }
int Sleep(sqlite3_vfs*, int microseconds) { return gBelow->xSleep(gBelow, microseconds); }
int CurrentTime(sqlite3_vfs*, double* now) { return gBelow->xCurrentTime(gBelow, now); }
int GetLastError(sqlite3_vfs*, int size, char* out) {
    return gBelow->xGetLastError(gBelow, size, out);
}
int CurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* now) {
    return gBelow->xCurrentTimeInt64(gBelow, now);
}
int SetSystemCall(sqlite3_vfs*, const char* name, sqlite3_syscall_ptr call) {
    return gBelow->xSetSystemCall(gBelow, name, call);
}
sqlite3_syscall_ptr GetSystemCall(sqlite3_vfs*, const char* name) {
    return gBelow->xGetSystemCall(gBelow, name);
}
const char* NextSystemCall(sqlite3_vfs*, const char* name) {
    return gBelow->xNextSystemCall(gBelow, name);
}

bool Install() {
    gBelow = sqlite3_vfs_find(nullptr);
    if (gBelow == nullptr) return false;
    gMethods = sqlite3_io_methods{3,
                                  Close,
                                  Read,
                                  Write,
                                  Truncate,
                                  Sync,
                                  FileSize,
                                  Lock,
                                  Unlock,
                                  CheckReservedLock,
                                  FileControl,
                                  SectorSize,
                                  DeviceCharacteristics,
                                  ShmMap,
                                  ShmLock,
                                  ShmBarrier,
                                  ShmUnmap,
                                  Fetch,
                                  Unfetch};
    gWatch = sqlite3_vfs{};
    gWatch.iVersion = 3;
    gWatch.szOsFile = static_cast<int>(sizeof(WatchedFile));
    gWatch.mxPathname = gBelow->mxPathname;
    gWatch.zName = "varedadav-watch";
    gWatch.xOpen = Open;
    gWatch.xDelete = Delete;
    gWatch.xAccess = Access;
    gWatch.xFullPathname = FullPathname;
    gWatch.xRandomness = Randomness;
    gWatch.xSleep = Sleep;
    gWatch.xCurrentTime = CurrentTime;
    gWatch.xGetLastError = GetLastError;
    gWatch.xCurrentTimeInt64 = CurrentTimeInt64;
    gWatch.xSetSystemCall = SetSystemCall;
    gWatch.xGetSystemCall = GetSystemCall;
    gWatch.xNextSystemCall = NextSystemCall;
    return sqlite3_vfs_register(&gWatch, 1) == SQLITE_OK;
}

}  // namespace

void WatchSqliteFiles() {
    static const bool watching = Install();
    static_cast<void>(watching);
}

sqlite3_vfs* FileLayerUnderWatch() {
    WatchSqliteFiles();
    return gBelow;
}

void PutFileLayerUnderWatch(sqlite3_vfs* layer) {
    WatchSqliteFiles();
    gBelow = layer;
}

}  // namespace store
