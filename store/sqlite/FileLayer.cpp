#include "store/sqlite/FileLayer.h"

#include <cstddef>
#include <cstring>

namespace store {

// SQLite's entry points into a layer: each finds the layer, or the file, and calls it.
struct FileLayerCalls {
    using File = FileLayer::File;

    static FileLayer& Of(sqlite3_vfs* layer) { return *static_cast<FileLayer*>(layer->pAppData); }
    static File& Of(sqlite3_file* file) { return *reinterpret_cast<File*>(file); }
    static FileLayer& LayerOf(sqlite3_file* file) { return *Of(file).layer; }
    static sqlite3_file* Real(sqlite3_file* file) { return Of(file).real; }

    static int Open(sqlite3_vfs* vfs, sqlite3_filename name, sqlite3_file* file, int flags,
                    int* outFlags) {
        FileLayer& layer = Of(vfs);
        sqlite3_vfs* below = layer.mBelow;
        File& opened = Of(file);
        opened.base.pMethods = nullptr;
        opened.layer = &layer;
        opened.name = name;
        opened.flags = flags;
        opened.real = static_cast<sqlite3_file*>(sqlite3_malloc(below->szOsFile));
        if (opened.real == nullptr) return SQLITE_NOMEM;
        std::memset(opened.real, 0, static_cast<std::size_t>(below->szOsFile));
        const int resultCode = layer.Open(opened, below, flags, outFlags);
        if (opened.real->pMethods == nullptr) {  // xClose will not be called: nothing to close
            sqlite3_free(opened.real);
            opened.real = nullptr;
            return resultCode;
        }
        layer.mMethods.iVersion = opened.real->pMethods->iVersion;
        opened.base.pMethods = &layer.mMethods;
        return resultCode;
    }
    static int Close(sqlite3_file* file) {
        const int resultCode = Real(file)->pMethods->xClose(Real(file));
        sqlite3_free(Real(file));
        return resultCode;
    }
    static int Read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset) {
        return LayerOf(file).Read(Of(file), buffer, amount, offset);
    }
    static int Write(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset) {
        return LayerOf(file).Write(Of(file), buffer, amount, offset);
    }
    static int Truncate(sqlite3_file* file, sqlite3_int64 size) {
        return LayerOf(file).Truncate(Of(file), size);
    }
    static int Sync(sqlite3_file* file, int flags) { return LayerOf(file).Sync(Of(file), flags); }
    static int FileSize(sqlite3_file* file, sqlite3_int64* size) {
        return LayerOf(file).FileSize(Of(file), size);
    }
    static int Lock(sqlite3_file* file, int level) { return LayerOf(file).Lock(Of(file), level); }
    static int Unlock(sqlite3_file* file, int level) {
        return LayerOf(file).Unlock(Of(file), level);
    }
    static int CheckReservedLock(sqlite3_file* file, int* result) {
        return LayerOf(file).CheckReservedLock(Of(file), result);
    }
    static int FileControl(sqlite3_file* file, int op, void* arg) {
        return LayerOf(file).FileControl(Of(file), op, arg);
    }
    static int SectorSize(sqlite3_file* file) {
        return Real(file)->pMethods->xSectorSize(Real(file));
    }
    static int DeviceCharacteristics(sqlite3_file* file) {
        return Real(file)->pMethods->xDeviceCharacteristics(Real(file));
    }
    static int ShmMap(sqlite3_file* file, int page, int size, int extend, void volatile** memory) {
        return LayerOf(file).ShmMap(Of(file), page, size, extend, memory);
    }
    static int ShmLock(sqlite3_file* file, int offset, int n, int flags) {
        return LayerOf(file).ShmLock(Of(file), offset, n, flags);
    }
    static void ShmBarrier(sqlite3_file* file) { Real(file)->pMethods->xShmBarrier(Real(file)); }
    static int ShmUnmap(sqlite3_file* file, int deleteFlag) {
        return Real(file)->pMethods->xShmUnmap(Real(file), deleteFlag);
    }
    static int Fetch(sqlite3_file* file, sqlite3_int64 offset, int amount, void** page) {
        return LayerOf(file).Fetch(Of(file), offset, amount, page);
    }
    static int Unfetch(sqlite3_file* file, sqlite3_int64 offset, void* page) {
        return Real(file)->pMethods->xUnfetch(Real(file), offset, page);
    }

    static sqlite3_vfs* Below(sqlite3_vfs* vfs) { return Of(vfs).mBelow; }
    static int Delete(sqlite3_vfs* vfs, const char* name, int syncDir) {
        return Of(vfs).Delete(name, syncDir);
    }
    static int Access(sqlite3_vfs* vfs, const char* name, int flags, int* result) {
        return Below(vfs)->xAccess(Below(vfs), name, flags, result);
    }
    static int FullPathname(sqlite3_vfs* vfs, const char* name, int size, char* out) {
        return Below(vfs)->xFullPathname(Below(vfs), name, size, out);
    }
    static int Randomness(sqlite3_vfs* vfs, int size, char* out) {
        return Below(vfs)->xRandomness(Below(vfs), size, out);
    }
    static int Sleep(sqlite3_vfs* vfs, int microseconds) {
        return Below(vfs)->xSleep(Below(vfs), microseconds);
    }
    static int CurrentTime(sqlite3_vfs* vfs, double* now) {
        return Below(vfs)->xCurrentTime(Below(vfs), now);
    }
    static int GetLastError(sqlite3_vfs* vfs, int size, char* out) {
        return Of(vfs).GetLastError(size, out);
    }
    static int CurrentTimeInt64(sqlite3_vfs* vfs, sqlite3_int64* now) {
        return Below(vfs)->xCurrentTimeInt64(Below(vfs), now);
    }
    static int SetSystemCall(sqlite3_vfs* vfs, const char* name, sqlite3_syscall_ptr call) {
        return Below(vfs)->xSetSystemCall(Below(vfs), name, call);
    }
    static sqlite3_syscall_ptr GetSystemCall(sqlite3_vfs* vfs, const char* name) {
        return Below(vfs)->xGetSystemCall(Below(vfs), name);
    }
    static const char* NextSystemCall(sqlite3_vfs* vfs, const char* name) {
        return Below(vfs)->xNextSystemCall(Below(vfs), name);
    }
};

FileLayer::FileLayer(const char* name, sqlite3_vfs* below) : mBelow(below) {
    using Calls = FileLayerCalls;
    mMethods = sqlite3_io_methods{3,
                                  Calls::Close,
                                  Calls::Read,
                                  Calls::Write,
                                  Calls::Truncate,
                                  Calls::Sync,
                                  Calls::FileSize,
                                  Calls::Lock,
                                  Calls::Unlock,
                                  Calls::CheckReservedLock,
                                  Calls::FileControl,
                                  Calls::SectorSize,
                                  Calls::DeviceCharacteristics,
                                  Calls::ShmMap,
                                  Calls::ShmLock,
                                  Calls::ShmBarrier,
                                  Calls::ShmUnmap,
                                  Calls::Fetch,
                                  Calls::Unfetch};
    mVfs = sqlite3_vfs{};
    mVfs.iVersion = 3;
    mVfs.szOsFile = static_cast<int>(sizeof(File));
    mVfs.mxPathname = below->mxPathname;
    mVfs.zName = name;
    mVfs.pAppData = this;
    mVfs.xOpen = Calls::Open;
    mVfs.xDelete = Calls::Delete;
    mVfs.xAccess = Calls::Access;
    mVfs.xFullPathname = Calls::FullPathname;
    mVfs.xRandomness = Calls::Randomness;
    mVfs.xSleep = Calls::Sleep;
    mVfs.xCurrentTime = Calls::CurrentTime;
    mVfs.xGetLastError = Calls::GetLastError;
    mVfs.xCurrentTimeInt64 = Calls::CurrentTimeInt64;
    mVfs.xSetSystemCall = Calls::SetSystemCall;
    mVfs.xGetSystemCall = Calls::GetSystemCall;
    mVfs.xNextSystemCall = Calls::NextSystemCall;
}

int FileLayer::Open(File& file, sqlite3_vfs* below, int flags, int* outFlags) {
    return below->xOpen(below, file.name, file.real, flags, outFlags);
}
int FileLayer::Read(File& file, void* buffer, int amount, sqlite3_int64 offset) {
    return file.real->pMethods->xRead(file.real, buffer, amount, offset);
}
int FileLayer::Write(File& file, const void* buffer, int amount, sqlite3_int64 offset) {
    return file.real->pMethods->xWrite(file.real, buffer, amount, offset);
}
int FileLayer::Truncate(File& file, sqlite3_int64 size) {
    return file.real->pMethods->xTruncate(file.real, size);
}
int FileLayer::Sync(File& file, int flags) { return file.real->pMethods->xSync(file.real, flags); }
int FileLayer::FileSize(File& file, sqlite3_int64* size) {
    return file.real->pMethods->xFileSize(file.real, size);
}
int FileLayer::Lock(File& file, int level) { return file.real->pMethods->xLock(file.real, level); }
int FileLayer::Unlock(File& file, int level) {
    return file.real->pMethods->xUnlock(file.real, level);
}
int FileLayer::CheckReservedLock(File& file, int* result) {
    return file.real->pMethods->xCheckReservedLock(file.real, result);
}
int FileLayer::FileControl(File& file, int op, void* arg) {
    return file.real->pMethods->xFileControl(file.real, op, arg);
}
int FileLayer::ShmMap(File& file, int page, int size, int extend, void volatile** memory) {
    return file.real->pMethods->xShmMap(file.real, page, size, extend, memory);
}
int FileLayer::ShmLock(File& file, int offset, int n, int flags) {
    return file.real->pMethods->xShmLock(file.real, offset, n, flags);
}
int FileLayer::Fetch(File& file, sqlite3_int64 offset, int amount, void** page) {
    return file.real->pMethods->xFetch(file.real, offset, amount, page);
}
int FileLayer::Delete(const char* name, int syncDir) {
    return mBelow->xDelete(mBelow, name, syncDir);
}
int FileLayer::GetLastError(int size, char* out) {
    return mBelow->xGetLastError(mBelow, size, out);
}

}  // namespace store
