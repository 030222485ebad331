#include "tests/support/FaultyFiles.h"

#include <sqlite3.h>

#include <cstring>
#include <stdexcept>

#include "store/platform/FileIdentity.h"
#include "store/platform/SystemError.h"
#include "store/sqlite/FileWatch.h"

namespace testing_support {
namespace {

using Fault = FaultyFiles::Fault;

struct State {
    sqlite3_vfs* platform = nullptr;
    bool armed = false;
    bool fired = false;
    int callsLeft = 0;     // until the first failure
    int failuresLeft = 0;  // of the same kind after it
    bool forGood = false;
    Fault fault = Fault::IoError;
    int systemCode = 0;  // what the system said, as the platform's layer keeps it
} gState;

sqlite3_vfs gVfs;
sqlite3_io_methods gMethods;

enum class Call { Read, Write, Sync, Open, Look, Other };

bool AppliesTo(Fault fault, Call call) {
    switch (fault) {
        case Fault::IoError:
            return true;
        case Fault::DiskFull:
            return call == Call::Write || call == Call::Sync;
        case Fault::ShortRead:
        case Fault::ReadError:
            return call == Call::Read;
        case Fault::OpenError:
            return call == Call::Open;
    }
    return false;
}

// Whether this call is one to fail; counts it when it is of the kind the fault applies to.
bool FailsNow(Call call) {
    if (!gState.armed) return false;
    if (gState.fired && gState.forGood) return true;
    if (!AppliesTo(gState.fault, call)) return false;
    if (gState.fired) return gState.failuresLeft-- > 0;
    if (--gState.callsLeft > 0) return false;
    gState.fired = true;
    gState.systemCode = gState.fault == Fault::DiskFull ? store::SystemCodeOfDiskFull()
                                                        : store::SystemCodeOfIoError();
    return true;
}

// The program's look at the database file's identity, counted among the file calls.
store::FileLook Look(const std::string& path) {
    if (FailsNow(Call::Look)) return {std::nullopt, gState.systemCode};
    return store::SystemLookAt(path);
}

// Whether a failing call fails as its fault says, rather than as a disk failing for good.
bool AsTheFaultSays(Call call) { return AppliesTo(gState.fault, call) && !gState.forGood; }

struct File {
    sqlite3_file base;
    sqlite3_file* real;  // the platform's file, right behind this struct
};

sqlite3_file* Real(sqlite3_file* file) { return reinterpret_cast<File*>(file)->real; }

int Close(sqlite3_file* file) { return Real(file)->pMethods->xClose(Real(file)); }
int Read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset) {
    const bool first = !gState.fired;
    if (FailsNow(Call::Read)) {
        if (!first && !AsTheFaultSays(Call::Read)) return SQLITE_IOERR_READ;
        // As the Unix layer reports EIO: SQLite takes it for a damaged page.
        if (gState.fault != Fault::ShortRead) return SQLITE_IOERR_CORRUPTFS;
        std::memset(buffer, 0, static_cast<std::size_t>(amount));
        return SQLITE_IOERR_SHORT_READ;
    }
    return Real(file)->pMethods->xRead(Real(file), buffer, amount, offset);
}
int Write(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset) {
    const bool first = !gState.fired;
    if (FailsNow(Call::Write)) {
        return gState.fault == Fault::DiskFull && (first || AsTheFaultSays(Call::Write))
                   ? SQLITE_FULL
                   : SQLITE_IOERR_WRITE;
    }
    return Real(file)->pMethods->xWrite(Real(file), buffer, amount, offset);
}
int Truncate(sqlite3_file* file, sqlite3_int64 size) {
    if (FailsNow(Call::Other)) return SQLITE_IOERR_TRUNCATE;
    return Real(file)->pMethods->xTruncate(Real(file), size);
}
int Sync(sqlite3_file* file, int flags) {
    if (FailsNow(Call::Sync)) return SQLITE_IOERR_FSYNC;  // the system code says why
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
    if (op == SQLITE_FCNTL_LAST_ERRNO && gState.fired) {
        *static_cast<int*>(arg) = gState.systemCode;
        return SQLITE_OK;
    }
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
    if (FailsNow(Call::Open)) {
        // The platform's layer opens a database it cannot open for writing for reading only.
        const bool forReading = (flags & SQLITE_OPEN_READWRITE) != 0 &&
                                (flags & SQLITE_OPEN_MAIN_DB) != 0 && !gState.forGood;
        // A journal the folder refuses is SQLITE_READONLY_DIRECTORY.
        if (!forReading) {
            return gState.fault == Fault::OpenError ? SQLITE_READONLY_DIRECTORY : SQLITE_CANTOPEN;
        }
        flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
    }
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
    if (gState.fired) return gState.systemCode;
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
    gState.platform = store::FileLayerUnderWatch();
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
    store::PutFileLayerUnderWatch(&gVfs);
    store::PutLookInBetween(Look);
}

FaultyFiles::~FaultyFiles() {
    store::PutFileLayerUnderWatch(gState.platform);
    store::PutLookInBetween(nullptr);
}

void FaultyFiles::Arm(int n, Fault fault, int lasting) {
    gState.armed = true;
    gState.fired = false;
    gState.forGood = lasting == kForGood;
    gState.callsLeft = n;
    gState.failuresLeft = lasting - 1;
    gState.fault = fault;
}

bool FaultyFiles::Disarm() {
    gState.armed = false;
    return gState.fired;
}

}  // namespace testing_support
