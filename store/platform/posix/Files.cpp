#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "store/platform/DatabaseFile.h"
#include "store/platform/FileIdentity.h"

namespace store {

bool IsOrdinaryFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::string TemporaryFolder() { return {}; }

bool LiesIn(std::string_view path, std::string_view folder) {
    return !folder.empty() && path.starts_with(folder) &&
           (path.size() == folder.size() || path[folder.size()] == '/' || folder.ends_with('/'));
}

FileLook SystemLookAt(const std::string& path) {
    struct stat status = {};
    if (stat(path.c_str(), &status) != 0) {
        const bool missing = errno == ENOENT || errno == ENOTDIR;
        return {std::nullopt, missing ? 0 : errno};
    }
    return {FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                         static_cast<std::uint64_t>(status.st_ino)},
            0};
}

}  // namespace store
