#include "store/sqlite/SpecialFiles.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "store/sqlite/FailureNote.h"

namespace store {
namespace {

bool IsSpecial(mode_t mode) { return !S_ISREG(mode) && !S_ISDIR(mode); }

const char* KindOf(mode_t mode) {
    if (S_ISFIFO(mode)) return "eine Pipe (FIFO)";
    if (S_ISSOCK(mode)) return "ein Socket";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "ein Gerät";
    return "etwas anderes";
}

// SQLite itself reads randomness from /dev/urandom and parks low descriptors on /dev/null.
bool IsDeviceSqliteUses(const char* path) {
    return std::strcmp(path, "/dev/urandom") == 0 || std::strcmp(path, "/dev/null") == 0;
}

// Stands in for open(2) in SQLite's Unix file layer. O_NONBLOCK makes the open of a pipe return
// at once (O_NOCTTY keeps a terminal from becoming the program's); the descriptor's type is then
// tested on the descriptor itself, so nothing can swap the file in between.
int OpenOrdinaryFilesOnly(const char* path, int flags, int mode) noexcept {
    const int descriptor = open(path, flags | O_NONBLOCK | O_NOCTTY, mode);
    struct stat status = {};
    if (descriptor < 0) {
        // A socket, or a pipe opened for writing only, fails on its own; say which file it was.
        const int error = errno;
        NoteFailedOpen(error);
        if (stat(path, &status) == 0 && IsSpecial(status.st_mode)) {
            NoteRefusal(path, KindOf(status.st_mode));
        }
        errno = error;
        return descriptor;
    }
    if (fstat(descriptor, &status) == 0 && IsSpecial(status.st_mode) && !IsDeviceSqliteUses(path)) {
        close(descriptor);
        NoteRefusal(path, KindOf(status.st_mode));
        errno = ENXIO;
        return -1;
    }
    if ((flags & O_NONBLOCK) == 0) {
        fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    }
    return descriptor;
}

}  // namespace

std::optional<SpecialFile> SpecialFileAt(const std::string& path) {
    struct stat status = {};
    if (stat(path.c_str(), &status) != 0 || !IsSpecial(status.st_mode)) return std::nullopt;
    return SpecialFile{path, KindOf(status.st_mode)};
}

void GuardSqliteOpens() {
    static const bool guarded = [] {
        sqlite3_vfs* files = sqlite3_vfs_find(nullptr);
        return files != nullptr && files->xSetSystemCall != nullptr &&
               files->xSetSystemCall(
                   files, "open", reinterpret_cast<sqlite3_syscall_ptr>(&OpenOrdinaryFilesOnly)) ==
                   SQLITE_OK;
    }();
    static_cast<void>(guarded);
}

std::string SpecialFileMessage(const SpecialFile& file) {
    return "Datenbankfehler: „" + file.path + "“ ist keine gewöhnliche Datei, sondern " +
           file.kind +
           ". Die Datenbank und die Dateien, die SQLite neben ihr anlegt (Lotto.mdb-journal, "
           "Lotto.mdb-wal, Lotto.mdb-shm), müssen gewöhnliche Dateien sein, sonst bliebe das "
           "Programm beim Öffnen hängen. Bitte „" +
           file.path + "“ löschen oder umbenennen und es dann noch einmal versuchen.";
}

}  // namespace store
