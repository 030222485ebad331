#pragma once

#include <optional>
#include <string>

struct sqlite3_vfs;

// SQLite's result codes do not say which file failed, nor why, and its Unix file layer reports a
// read the disk refused (EIO) as a damaged database. The watch is a thin file layer over the
// platform's own that passes every call through and keeps the first one the system failed, so
// that a message can name the file and the reason, and a read error is never taken for damage.
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

// Makes the watch SQLite's default file layer, over the one that was the default. Idempotent.
void WatchSqliteFiles();

// The first failure since the last call, and forgets it. A file opened only for reading because
// opening it for writing failed counts as a failure (FileCall::OpenForWriting).
std::optional<FileFailure> TakeFileFailure();
// Whether that first failure is a read, which it leaves noted. SQLite's own check of a file lists
// a page it could not read among its findings, as if the page were damaged.
bool ReadFailed();

// The layer the watch passes calls to. Tests put one in between that fails calls on purpose;
// files already open keep the layer they were opened with.
sqlite3_vfs* FileLayerUnderWatch();
void PutFileLayerUnderWatch(sqlite3_vfs* layer);

}  // namespace store
