#pragma once

#include <sqlite3.h>

// A file layer under SQLite (a VFS) over another one, which passes every call on to it. A layer
// of its own derives from it and overrides the calls it watches or changes: the program's watch
// (FileWatch) notes the calls the system failed, and the tests' faulty files fail calls on
// purpose.
namespace store {

class FileLayer {
  public:
    // What the layer keeps of a file it opened.
    struct File {
        sqlite3_file base;
        sqlite3_file* real;  // the layer below's file, allocated at open with that layer's size
        FileLayer* layer;    // the layer it was opened with
        const char* name;    // SQLite keeps it valid until the file is closed
        int flags;           // the flags it was opened with
    };

    // A layer named `name` over `below`; SQLite knows of it once it is registered or put under
    // another layer.
    FileLayer(const char* name, sqlite3_vfs* below);
    virtual ~FileLayer() = default;
    FileLayer(const FileLayer&) = delete;
    FileLayer& operator=(const FileLayer&) = delete;

    sqlite3_vfs* Vfs() { return &mVfs; }
    sqlite3_vfs* Below() const { return mBelow; }
    // Files already open keep the layer they were opened with.
    void PutBelow(sqlite3_vfs* below) { mBelow = below; }

  protected:
    // Each passes the call on; `file.real` is allocated, but not yet open, when Open is called.
    virtual int Open(File& file, sqlite3_vfs* below, int flags, int* outFlags);
    virtual int Read(File& file, void* buffer, int amount, sqlite3_int64 offset);
    virtual int Write(File& file, const void* buffer, int amount, sqlite3_int64 offset);
    virtual int Truncate(File& file, sqlite3_int64 size);
    virtual int Sync(File& file, int flags);
    virtual int FileSize(File& file, sqlite3_int64* size);
    virtual int Lock(File& file, int level);
    virtual int Unlock(File& file, int level);
    virtual int CheckReservedLock(File& file, int* result);
    virtual int FileControl(File& file, int op, void* arg);
    virtual int ShmMap(File& file, int page, int size, int extend, void volatile** memory);
    virtual int ShmLock(File& file, int offset, int n, int flags);
    virtual int Fetch(File& file, sqlite3_int64 offset, int amount, void** page);
    virtual int Delete(const char* name, int syncDir);
    virtual int GetLastError(int size, char* out);

  private:
    friend struct FileLayerCalls;

    sqlite3_vfs mVfs;
    sqlite3_io_methods mMethods;
    sqlite3_vfs* mBelow;
};

}  // namespace store
