#pragma once

struct sqlite3_vfs;

// SQLite's result codes do not say which file failed, nor why, and its Unix file layer reports a
// read the disk refused (EIO) as a damaged database. The watch is a thin file layer over the
// platform's own that passes every call through and notes the first one the system failed
// (FailureNote), so that a message can name the file and the reason, and a read error is never
// taken for damage.
namespace store {

// Makes the watch SQLite's default file layer, over the one that was the default. Idempotent.
void WatchSqliteFiles();

// The layer the watch passes calls to. Tests put one in between that fails calls on purpose;
// files already open keep the layer they were opened with.
sqlite3_vfs* FileLayerUnderWatch();
void PutFileLayerUnderWatch(sqlite3_vfs* layer);

}  // namespace store
