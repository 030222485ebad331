#include "tests/support/FaultyFiles.h"

#include <sqlite3.h>

#include <cstring>
#include <stdexcept>

namespace testing_support {
namespace {

using Fault = FaultyFiles::Fault;

struct State {
    sqlite3_vfs* platform = nullptr;
    bool armed = false;
    bool fired = false;
    bool thenEveryCall = false;
    int callsLeft = 0;
    Fault fault = Fault::IoError;
} gState;

sqlite3_vfs gVfs;
sqlite3_io_methods gMethods;

enum class Call { Read, Write, Other };

// Whether this call is the one to fail; counts it when it is of the kind the fault applies to.
bool FailsNow(Call call) {
    if (!gState.armed) return false;
    if (gState.fired) return gState.thenEveryCall;
    if (gState.fault == Fault::DiskFull && call != Call::Write) return false;
    if (gState.fault == Fault::ShortRead && call != Call::Read) return false;
    if (--gState.callsLeft > 0) return false;
    gState.fired = true;
    return true;
}

struct File {
    sqlite3_file base;
    sqlite3_file* real;  // the platform's file, right behind this struct
};

sqlite3_file* Real(sqlite3_file* file) { return reinterpret_cast<File*>(file)->real; }

int Close(sqlite3_file* file) { return Real(file)->pMethods->xClose(Real(file)); }
int Read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset) {
    const bool first = !gState.fired;
    if (FailsNow(Call::Read)) {
        if (!first) return SQLITE_IOERR_READ;
        // As the platform's layer reports EIO: SQLite takes it for a damaged page.
        if (gState.fault != Fault::ShortRead) return SQLITE_IOERR_CORRUPTFS;
        std::memset(buffer, 0, static_cast<std::size_t>(amount));
        return SQLITE_IOERR_SHORT_READ;
    }
    return Real(file)->pMethods->xRead(Real(file), buffer, amount, offset);
}
int Write(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset) {
    const bool first = !gState.fired;
    if (FailsNow(Call::Write)) {
        return gState.fault == Fault::DiskFull && first ? SQLITE_FULL : SQLITE_IOERR_WRITE;
    }
    return Real(file)->pMethods->xWrite(Real(file), buffer, amount, offset);
}
int Truncate(sqlite3_file* file, sqlite3_int64 size) {
    if (FailsNow(Call::Other)) return SQLITE_IOERR_TRUNCATE;
    return Real(file)->pMethods->xTruncate(Real(file), size);
}
int Sync(sqlite3_file* file, int flags) {
    if (FailsNow(Call::Other)) return SQLITE_IOERR_FSYNC;
    return Real(file)->pMethods->xSync(Real(file), flags);
}
int FileSize(sqlite3_file* file, sqlite3_int64* size) {
    return Real(file)->pMethods->xFileSize(Real(file), size);
}
int Lock(sqlite3_file* file, int level) {
    if (FailsNow(Call::Other)) return SQLITE_IOERR_LOCK;
    return Real(file)->pMethods->xLock(Real(file), level);
}
int Unlock(sqlite3_file* file, int level) {
    if (FailsNow(Call::Other)) return SQLITE_IOERR_UNLOCK;
    return Real(file)->pMethods->xUnlock(Real(file), level);
}
int CheckReservedLock(sqlite3_file* file, int* result) {
    return Real(file)->pMethods->xCheckReservedLock(Real(file), result);
}
int FileControl(sqlite3_file* file, int op, void* arg) {
    return Real(file)->pMethods->xFileControl(Real(file), op, arg);
}
int SectorSize(sqlite3_file* file) { return Real(file)->pMethods->xSectorSize(Real(file)); }
int DeviceCharacteristics(sqlite3_file* file) {
    return Real(file)->pMethods->xDeviceCharacteristics(Real(file));
}
int ShmMap(sqlite3_file* file, int page, int size, int extend, void volatile** memory) {
    return Real(file)->pMethods->xShmMap(Real(file), page, size, extend, memory);
}
int ShmLock(sqlite3_file* file, int offset, int n, int flags) {
    return Real(file)->pMethods->xShmLock(Real(file), offset, n, flags);
}
void ShmBarrier(sqlite3_file* file) { Real(file)->pMethods->xShmBarrier(Real(file)); }
int ShmUnmap(sqlite3_file* file, int deleteFlag) {
    return Real(file)->pMethods->xShmUnmap(Real(file), deleteFlag);
}
int Fetch(sqlite3_file* file, sqlite3_int64 offset, int amount, void** page) {
    return Real(file)->pMethods->xFetch(Real(file), offset, amount, page);
}
int Unfetch(sqlite3_file* file, sqlite3_int64 offset, void* page) {
    return Real(file)->pMethods->xUnfetch(Real(file), offset, page);
}

int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    File* wrapped = reinterpret_cast<File*>(file);
    wrapped->real = reinterpret_cast<sqlite3_file*>(wrapped + 1);
    wrapped->base.pMethods = nullptr;
    const int rc = gState.platform->xOpen(gState.platform, name, wrapped->real, flags, outFlags);
    if (wrapped->real->pMethods != nullptr) {
        gMethods.iVersion = wrapped->real->pMethods->iVersion;
        wrapped->base.pMethods = &gMethods;
    }
    return rc;
}
int Delete(sqlite3_vfs*, const char* name, int syncDir) {
    if (FailsNow(Call::Other)) return SQLITE_IOERR_DELETE;
    return gState.platform->xDelete(gState.platform, name, syncDir);
}
int Access(sqlite3_vfs*, const char* name, int flags, int* result) {
    return gState.platform->xAccess(gState.platform, name, flags, result);
}
int FullPathname(sqlite3_vfs*, const char* name, int size, char* out) {
    return gState.platform->xFullPathname(gState.platform, name, size, out);
}
int Randomness(sqlite3_vfs*, int size, char* out) {
    return gState.platform->xRandomness(gState.platform, size, out);
}
int Sleep(sqlite3_vfs*, int microseconds) {
    return gState.platform->xSleep(gState.platform, microseconds);
}
int CurrentTime(sqlite3_vfs*, double* now) {
    return gState.platform->xCurrentTime(gState.platform, now);
}
int GetLastError(sqlite3_vfs*, int size, char* out) {
    return gState.platform->xGetLastError(gState.platform, size, out);
}
int CurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* now) {
    return gState.platform->xCurrentTimeInt64(gState.platform, now);
}
int SetSystemCall(sqlite3_vfs*, const char* name, sqlite3_syscall_ptr call) {
    return gState.platform->xSetSystemCall(gState.platform, name, call);
}
sqlite3_syscall_ptr GetSystemCall(sqlite3_vfs*, const char* name) {
    return gState.platform->xGetSystemCall(gState.platform, name);
}
const char* NextSystemCall(sqlite3_vfs*, const char* name) {
    return gState.platform->xNextSystemCall(gState.platform, name);
}

}  // namespace

FaultyFiles::FaultyFiles() {
    gState = State{};
    gState.platform = sqlite3_vfs_find(nullptr);  // "unix" on Debian, "win32" on Windows
    if (gState.platform == nullptr) throw std::runtime_error("no file layer");
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
    std::memset(&gVfs, 0, sizeof gVfs);
    gVfs.iVersion = 3;
    gVfs.szOsFile = static_cast<int>(sizeof(File)) + gState.platform->szOsFile;
    gVfs.mxPathname = gState.platform->mxPathname;
    gVfs.zName = "faulty";
    gVfs.xOpen = Open;
    gVfs.xDelete = Delete;
    gVfs.xAccess = Access;
    gVfs.xFullPathname = FullPathname;
    gVfs.xRandomness = Randomness;
    gVfs.xSleep = Sleep;
    gVfs.xCurrentTime = CurrentTime;
    gVfs.xGetLastError = GetLastError;
    gVfs.xCurrentTimeInt64 = CurrentTimeInt64;
    gVfs.xSetSystemCall = SetSystemCall;
    gVfs.xGetSystemCall = GetSystemCall;
    gVfs.xNextSystemCall = NextSystemCall;
    sqlite3_vfs_register(&gVfs, 1);
}

FaultyFiles::~FaultyFiles() { sqlite3_vfs_unregister(&gVfs); }

void FaultyFiles::Arm(int n, Fault fault, bool thenEveryCall) {
    gState.armed = true;
    gState.fired = false;
    gState.thenEveryCall = thenEveryCall;
    gState.callsLeft = n;
    gState.fault = fault;
}

bool FaultyFiles::Disarm() {
    gState.armed = false;
    return gState.fired;
}

}  // namespace testing_support
