#include "store/platform/OwnDatabase.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <utility>

#include "base/Errors.h"
#include "store/platform/DatabaseFile.h"
#include "store/platform/OwnDatabaseError.h"
#include "store/platform/SystemError.h"

namespace store {
namespace {

constexpr mode_t kOwnFolderMode = 0700;
constexpr mode_t kOwnFileMode = 0600;

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

[[noreturn]] void Fail(const std::string& what, int error) {
    FailOwnDatabase(what, SystemReason(error));
}

[[noreturn]] void NotYours(const std::string& folder, uid_t owner) {
    const passwd* entry = getpwuid(owner);
    const std::string user = entry != nullptr && entry->pw_name != nullptr
                                 ? "„" + std::string(entry->pw_name) + "“"
                                 : "mit der Nummer " + std::to_string(owner);
    throw base::DatabaseError("Datenbankfehler: Der Ordner „" + folder +
                              "“ für Ihre Zahlenreihen gehört nicht Ihnen, sondern dem Benutzer " +
                              user +
                              ", der darin Ihre Zahlenreihen lesen und ändern könnte. Bitte den "
                              "Ordner entfernen lassen (oder XDG_DATA_HOME auf einen eigenen "
                              "Ordner setzen) und das Programm neu starten.");
}

// Makes every missing folder of `path`, each 0700 as the XDG rules ask.
void MakeFolders(const std::string& path) {
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string folder = path.substr(0, end);
        if (mkdir(folder.c_str(), kOwnFolderMode) != 0 && errno != EEXIST) {
            const int error = errno;
            Fail("Der Ordner „" + folder + "“ kann nicht angelegt werden", error);
        }
        if (end == std::string::npos) return;
    }
}

// A descriptor that closes itself.
class Descriptor {
  public:
    explicit Descriptor(int descriptor) : mDescriptor(descriptor) {}
    Descriptor(Descriptor&& other) noexcept : mDescriptor(std::exchange(other.mDescriptor, -1)) {}
    Descriptor& operator=(Descriptor&&) = delete;
    ~Descriptor() {
        if (mDescriptor >= 0) close(mDescriptor);
    }
    int get() const { return mDescriptor; }

  private:
    int mDescriptor;
};

// Opens the program's folder in the user's data folder, made if missing; it must be the user's
// own (a link to it too), lie in a folder where every user may write only with the sticky bit
// (else another user could swap it after this check), and is closed to everyone else. (A folder
// writable by the user's group is common where every user has a group of their own.)
Descriptor OpenOwnFolder(const std::string& folder) {
    MakeFolders(folder);
    struct stat parent = {};
    const std::string parentPath = folder.substr(0, folder.rfind('/'));
    if (stat(parentPath.empty() ? "/" : parentPath.c_str(), &parent) == 0 &&
        (parent.st_mode & S_IWOTH) != 0 && (parent.st_mode & S_ISVTX) == 0) {
        throw base::DatabaseError(
            "Datenbankfehler: Der Ordner „" + parentPath +
            "“, in dem Ihr Ordner für die Zahlenreihen liegt, ist für andere Benutzer "
            "beschreibbar; sie könnten Ihren Ordner austauschen. Bitte XDG_DATA_HOME auf einen "
            "eigenen Ordner setzen und das Programm neu starten.");
    }
    int opened = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    int error = errno;
    struct stat link = {};
    if (opened < 0 && lstat(folder.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (link.st_uid != geteuid()) NotYours(folder, link.st_uid);
        opened = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        error = errno;
    }
    if (opened < 0) Fail("Der Ordner „" + folder + "“ kann nicht geöffnet werden", error);
    Descriptor descriptor(opened);
    struct stat status = {};
    if (fstat(descriptor.get(), &status) != 0) {
        const int error = errno;
        Fail("Der Ordner „" + folder + "“ kann nicht geprüft werden", error);
    }
    if (status.st_uid != geteuid()) NotYours(folder, status.st_uid);
    if ((status.st_mode & 07777) != kOwnFolderMode &&
        fchmod(descriptor.get(), kOwnFolderMode) != 0) {
        const int error = errno;
        Fail("Der Ordner „" + folder + "“ kann nicht für andere Benutzer gesperrt werden", error);
    }
    return descriptor;
}

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (!file.good() && !file.eof()) bytes.clear();
    return bytes;
}

// A new file of a name of its own in `folder`, for the copy.
struct Copy {
    std::string name;
    Descriptor file;
};
Copy CreateCopy(int folder, const std::string& target) {
    std::random_device entropy;
    for (int attempt = 0;; ++attempt) {
        char name[40];
        std::snprintf(name, sizeof name, ".%s.new-%08x%08x", kDatabaseFileName.data(), entropy(),
                      entropy());
        const int created = openat(
            folder, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kOwnFileMode);
        if (created >= 0) return {name, Descriptor(created)};
        const int error = errno;
        if (error != EEXIST || attempt == 100) {
            Fail("Die Datenbank „" + target + "“ kann nicht angelegt werden", error);
        }
    }
}

// Lays a copy of the empty database as Lotto.mdb in the open folder, unless a file of that name
// is there. The copy is written under a name of its own and then linked into place, and link()
// never replaces a file: two starts at the same moment keep the same database.
void LayEmptyDatabase(int folder, const std::string& folderPath, const std::string& empty) {
    const std::string name(kDatabaseFileName);
    struct stat existing = {};
    if (fstatat(folder, name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) return;
    const std::string target = folderPath + "/" + name;
    const std::string bytes = Contents(empty);
    if (bytes.empty()) {
        throw base::DatabaseError("Datenbankfehler: Die leere Datenbank „" + empty +
                                  "“, aus der das Programm Ihre eigene anlegt, fehlt oder ist "
                                  "nicht lesbar. Bitte das Paket varedadav neu installieren.");
    }
    const Copy copy = CreateCopy(folder, target);
    const std::string& temporary = copy.name;
    const Descriptor& file = copy.file;
    bool written = true;
    for (std::size_t done = 0; written && done < bytes.size();) {
        const ssize_t count = write(file.get(), bytes.data() + done, bytes.size() - done);
        written = count > 0;
        done += written ? static_cast<std::size_t>(count) : 0;
    }
    written = written && fsync(file.get()) == 0;
    int error = errno;
    const bool linked =
        written &&
        (linkat(folder, temporary.c_str(), folder, name.c_str(), 0) == 0 || errno == EEXIST);
    if (written && !linked) error = errno;
    unlinkat(folder, temporary.c_str(), 0);
    if (!linked) Fail("Die Datenbank „" + target + "“ kann nicht angelegt werden", error);
    fsync(folder);
}

}  // namespace

std::string UserDataHome() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') return WithoutTrailingSlashes(dataHome);
    std::string home;
    if (const char* variable = std::getenv("HOME"); variable != nullptr && variable[0] == '/') {
        home = variable;
    } else if (const passwd* entry = getpwuid(geteuid());
               entry != nullptr && entry->pw_dir != nullptr && entry->pw_dir[0] == '/') {
        home = entry->pw_dir;
    }
    return home.empty() ? "" : WithoutTrailingSlashes(home) + "/.local/share";
}

std::string InstalledEmptyDatabase(std::string_view programFolder) {
    return (std::filesystem::path(programFolder) / "../../share/varedadav/Lotto-empty.mdb")
        .lexically_normal()
        .string();
}

std::string LocateDatabase(std::string_view programFolder, const std::string& dataHome) {
    const std::string beside = DatabasePath(programFolder);
    struct stat status = {};
    if (lstat(beside.c_str(), &status) == 0 ||
        !IsOrdinaryFile(InstalledEmptyDatabase(programFolder))) {
        return beside;
    }
    if (dataHome.empty()) {
        throw base::DatabaseError(
            "Datenbankfehler: Ihr Datenordner ist unbekannt, weil weder XDG_DATA_HOME noch HOME "
            "einen absoluten Pfad nennt. Bitte HOME setzen und das Programm neu starten.");
    }
    const std::string folderPath = WithoutTrailingSlashes(dataHome) + "/varedadav";
    const Descriptor folder = OpenOwnFolder(folderPath);
    LayEmptyDatabase(folder.get(), folderPath, InstalledEmptyDatabase(programFolder));
    return folderPath + "/" + std::string(kDatabaseFileName);
}

}  // namespace store
