#include "store/platform/OwnDatabase.h"

#include <shlobj.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "store/platform/DatabaseFile.h"
#include "store/platform/OwnDatabaseError.h"
#include "store/platform/SystemError.h"
#include "store/platform/windows/Win32.h"

// Installed under Program Files, the program's folder is not the user's to write: each user's
// rows live in %LOCALAPPDATA%\Varedadav\Lotto.mdb. Windows gives a new folder there the rights of
// the folder it lies in, which by default only the user, the system and the administrators have;
// the program relies on that and sets no rights of its own.
namespace store {
namespace {

constexpr char kSeparator = '\\';

[[noreturn]] void Fail(const std::string& what) {
    FailOwnDatabase(what, SystemReason(static_cast<int>(GetLastError())));
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeFolder(const std::string& folder) {
    if (CreateDirectoryW(Widen(folder).c_str(), nullptr) == 0 &&
        GetLastError() != ERROR_ALREADY_EXISTS) {
        Fail("Der Ordner „" + folder + "“ kann nicht angelegt werden");
    }
    const DWORD attributes = GetFileAttributesW(Widen(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        FailOwnDatabase("Der Ordner „" + folder + "“ kann nicht angelegt werden",
                        "dort liegt eine Datei dieses Namens");
    }
}

std::string Contents(const std::string& path) {
    std::ifstream file(std::filesystem::path(Widen(path)), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (!file.good() && !file.eof()) bytes.clear();
    return bytes;
}

// Writes `bytes` to a new file of a name of its own in `folder` and returns that name.
std::string WriteCopy(const std::string& folder, const std::string& bytes,
                      const std::string& target) {
    std::random_device entropy;
    for (int attempt = 0;; ++attempt) {
        const std::string name = folder + kSeparator + "." + std::string(kDatabaseFileName) +
                                 ".new-" + std::to_string(entropy()) + std::to_string(entropy());
        const HANDLE file = CreateFileW(Widen(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            if (GetLastError() != ERROR_FILE_EXISTS || attempt == 100) {
                Fail("Die Datenbank „" + target + "“ kann nicht angelegt werden");
            }
            continue;
        }
        DWORD written = 0;
        const bool complete = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                                        &written, nullptr) != 0 &&
                              written == bytes.size() && FlushFileBuffers(file) != 0;
        const DWORD error = GetLastError();
        CloseHandle(file);
        if (!complete) {
            DeleteFileW(Widen(name).c_str());
            SetLastError(error);
            Fail("Die Datenbank „" + target + "“ kann nicht angelegt werden");
        }
        return name;
    }
}

// Lays a copy of the empty database as `target` unless a file of that name is there. The copy is
// written under a name of its own and then moved into place, and the move never replaces a file:
// two starts at the same moment keep the same database.
void LayEmptyDatabase(const std::string& folder, const std::string& target,
                      const std::string& empty) {
    if (Exists(target)) return;
    const std::string bytes = Contents(empty);
    if (bytes.empty()) {
        throw base::DatabaseError("Datenbankfehler: Die leere Datenbank „" + empty +
                                  "“, aus der das Programm Ihre eigene anlegt, fehlt oder ist "
                                  "nicht lesbar. Bitte das Programm neu installieren.");
    }
    const std::string copy = WriteCopy(folder, bytes, target);
    const bool moved =
        MoveFileExW(Widen(copy).c_str(), Widen(target).c_str(), MOVEFILE_WRITE_THROUGH) != 0 ||
        GetLastError() == ERROR_ALREADY_EXISTS;
    const DWORD error = GetLastError();
    DeleteFileW(Widen(copy).c_str());
    SetLastError(error);
    if (!moved) Fail("Die Datenbank „" + target + "“ kann nicht angelegt werden");
}

}  // namespace

std::string UserDataHome() {
    PWSTR folder = nullptr;
    std::string home;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder))) {
        home = Narrow(folder);
    }
    CoTaskMemFree(folder);
    return home;
}

std::string InstalledEmptyDatabase(std::string_view programFolder) {
    return std::string(programFolder) + kSeparator + "Lotto-empty.mdb";
}

std::string LocateDatabase(std::string_view programFolder, const std::string& dataHome) {
    const std::string beside = DatabasePath(programFolder);
    if (Exists(beside) || !IsOrdinaryFile(InstalledEmptyDatabase(programFolder))) return beside;
    if (dataHome.empty()) {
        throw base::DatabaseError(
            "Datenbankfehler: Ihr Ordner für Anwendungsdaten (LOCALAPPDATA) ist unbekannt. Bitte "
            "das Programm als angemeldeter Benutzer starten.");
    }
    const std::string folder = dataHome + kSeparator + "Varedadav";
    MakeFolder(folder);
    const std::string target = folder + kSeparator + std::string(kDatabaseFileName);
    LayEmptyDatabase(folder, target, InstalledEmptyDatabase(programFolder));
    return target;
}

}  // namespace store
