#include <sqlite3.h>
#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "store/platform/windows/Win32.h"
#include "store/sqlite/FailureNote.h"
#include "store/sqlite/SpecialFiles.h"

// Windows keeps no pipes or sockets among a folder's files, but a name can still lead to a device
// (a link to CON, NUL or a port): reading the console would wait for typing. And another program
// can hold the database open for itself alone (no sharing), which SQLite only reports as a file
// it cannot open.
namespace store {
namespace {

constexpr const char* kDevice = "ein Gerät";
constexpr const char* kPipe = "eine Pipe";

// The note keeps paths in UTF-8, and is written without allocating: inside SQLite's C code no
// exception may pass. The first 4095 UTF-16 units of a path always fit.
void Remember(const wchar_t* path, const char* kind) noexcept {
    char utf8[kNotedPathBytes];
    const int units = static_cast<int>(std::min<std::size_t>(std::wcslen(path), 4095));
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, path, units, utf8,
                                          static_cast<int>(sizeof utf8 - 1), nullptr, nullptr);
    utf8[bytes > 0 ? bytes : 0] = '\0';
    NoteRefusal(utf8, kind);
}

const char* KindOf(DWORD fileType) {
    if (fileType == FILE_TYPE_DISK) return nullptr;
    return fileType == FILE_TYPE_PIPE ? kPipe : kDevice;
}

// Stands in for CreateFileW in SQLite's Windows file layer: anything but a file on a disk is
// closed again at once, tested on the handle itself, so nothing can be swapped in between. The
// refusal's error is one SQLite does not retry.
HANDLE WINAPI OpenDiskFilesOnly(LPCWSTR path, DWORD access, DWORD sharing,
                                LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                                HANDLE model) noexcept {
    const HANDLE file = CreateFileW(path, access, sharing, security, disposition, flags, model);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        NoteFailedOpen(static_cast<int>(error));
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
            Remember(path, kInUseElsewhere.data());
        }
        SetLastError(error);
        return file;
    }
    if (const char* kind = KindOf(GetFileType(file))) {
        CloseHandle(file);
        Remember(path, kind);
        SetLastError(ERROR_BAD_FILE_TYPE);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

}  // namespace

std::optional<SpecialFile> SpecialFileAt(const std::string& path) {
    const HANDLE file = OpenForQuestions(path);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    const char* kind = KindOf(GetFileType(file));
    CloseHandle(file);
    if (kind == nullptr) return std::nullopt;
    return SpecialFile{path, kind};
}

void GuardSqliteOpens() {
    static const bool guarded = [] {
        sqlite3_vfs* files = sqlite3_vfs_find(nullptr);
        return files != nullptr && files->xSetSystemCall != nullptr &&
               files->xSetSystemCall(files, "CreateFileW",
                                     reinterpret_cast<sqlite3_syscall_ptr>(&OpenDiskFilesOnly)) ==
                   SQLITE_OK;
    }();
    static_cast<void>(guarded);
}

std::string SpecialFileMessage(const SpecialFile& file) {
    if (file.kind == kInUseElsewhere) {
        return "Datenbankfehler: „" + file.path +
               "“ ist von einem anderen Programm geöffnet, das sie für sich allein beansprucht. "
               "Bitte das andere Programm schließen und es dann noch einmal versuchen.";
    }
    return "Datenbankfehler: „" + file.path + "“ ist keine gewöhnliche Datei, sondern " +
           file.kind +
           ". Die Datenbank und die Dateien, die SQLite neben ihr anlegt (Lotto.mdb-journal, "
           "Lotto.mdb-wal, Lotto.mdb-shm), müssen gewöhnliche Dateien sein. Bitte „" +
           file.path + "“ löschen oder umbenennen und es dann noch einmal versuchen.";
}

}  // namespace store
