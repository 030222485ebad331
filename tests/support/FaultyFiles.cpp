#include "tests/support/FaultyFiles.h"

#include <sqlite3.h>

#include <cstring>
#include <stdexcept>

#include "store/platform/FileIdentity.h"
#include "store/platform/SystemError.h"
#include "store/sqlite/FileLayer.h"
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

class Faulty final : public store::FileLayer {
  public:
    explicit Faulty(sqlite3_vfs* platform) : FileLayer("faulty", platform) {}

  private:
    int Open(File& file, sqlite3_vfs* below, int flags, int* outFlags) override {
        if (FailsNow(Call::Open)) {
            // The platform's layer opens a database it cannot open for writing for reading only.
            const bool forReading = (flags & SQLITE_OPEN_READWRITE) != 0 &&
                                    (flags & SQLITE_OPEN_MAIN_DB) != 0 && !gState.forGood;
            // A journal the folder refuses is SQLITE_READONLY_DIRECTORY.
            if (!forReading) {
                return gState.fault == Fault::OpenError ? SQLITE_READONLY_DIRECTORY
                                                        : SQLITE_CANTOPEN;
            }
            flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
        }
        return FileLayer::Open(file, below, flags, outFlags);
    }
    int Read(File& file, void* buffer, int amount, sqlite3_int64 offset) override {
        const bool first = !gState.fired;
        if (FailsNow(Call::Read)) {
            if (!first && !AsTheFaultSays(Call::Read)) return SQLITE_IOERR_READ;
            // As the Unix layer reports EIO: SQLite takes it for a damaged page.
            if (gState.fault != Fault::ShortRead) return SQLITE_IOERR_CORRUPTFS;
            std::memset(buffer, 0, static_cast<std::size_t>(amount));
            return SQLITE_IOERR_SHORT_READ;
        }
        return FileLayer::Read(file, buffer, amount, offset);
    }
    int Write(File& file, const void* buffer, int amount, sqlite3_int64 offset) override {
        const bool first = !gState.fired;
        if (FailsNow(Call::Write)) {
            return gState.fault == Fault::DiskFull && (first || AsTheFaultSays(Call::Write))
                       ? SQLITE_FULL
                       : SQLITE_IOERR_WRITE;
        }
        return FileLayer::Write(file, buffer, amount, offset);
    }
    int Truncate(File& file, sqlite3_int64 size) override {
        if (FailsNow(Call::Other)) return SQLITE_IOERR_TRUNCATE;
        return FileLayer::Truncate(file, size);
    }
    int Sync(File& file, int flags) override {
        if (FailsNow(Call::Sync)) return SQLITE_IOERR_FSYNC;  // the system code says why
        return FileLayer::Sync(file, flags);
    }
    int Lock(File& file, int level) override {
        if (FailsNow(Call::Other)) return SQLITE_IOERR_LOCK;
        return FileLayer::Lock(file, level);
    }
    int Unlock(File& file, int level) override {
        if (FailsNow(Call::Other)) return SQLITE_IOERR_UNLOCK;
        return FileLayer::Unlock(file, level);
    }
    int FileControl(File& file, int op, void* arg) override {
        if (op == SQLITE_FCNTL_LAST_ERRNO && gState.fired) {
            *static_cast<int*>(arg) = gState.systemCode;
            return SQLITE_OK;
        }
        return FileLayer::FileControl(file, op, arg);
    }
    int Delete(const char* name, int syncDir) override {
        if (FailsNow(Call::Other)) return SQLITE_IOERR_DELETE;
        return FileLayer::Delete(name, syncDir);
    }
    int GetLastError(int size, char* out) override {
        if (gState.fired) return gState.systemCode;
        return FileLayer::GetLastError(size, out);
    }
};

// Files opened through the layer may outlive a FaultyFiles: the layer stays.
Faulty& FaultyLayerOver(sqlite3_vfs* platform) {
    static Faulty layer(platform);
    layer.PutBelow(platform);
    return layer;
}

}  // namespace

FaultyFiles::FaultyFiles() {
    gState = State{};
    gState.platform = store::FileLayerUnderWatch();
    if (gState.platform == nullptr) throw std::runtime_error("no file layer");
    store::PutFileLayerUnderWatch(FaultyLayerOver(gState.platform).Vfs());
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
