#include <windows.h>

#include "store/platform/DatabaseFile.h"
#include "store/platform/FileIdentity.h"
#include "store/platform/windows/WideText.h"

namespace store {
namespace {

// A handle for asking about a file, not reading it: no access, every kind of sharing, and a
// folder opens too.
HANDLE OpenForQuestions(const std::string& path) {
    return CreateFileW(Widen(path).c_str(), 0,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

}  // namespace

bool IsOrdinaryFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & FILE_ATTRIBUTE_DEVICE) == 0;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    const HANDLE file = OpenForQuestions(path);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information = {};
    const bool known = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    if (!known) return std::nullopt;
    return FileIdentity{
        information.dwVolumeSerialNumber,
        (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

}  // namespace store
