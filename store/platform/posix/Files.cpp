#include <sys/stat.h>

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

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat status = {};
    if (stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                        static_cast<std::uint64_t>(status.st_ino)};
}

}  // namespace store
