#include "store/platform/DatabaseFile.h"

#include <filesystem>
#include <system_error>

namespace store {

std::string DatabasePath(std::string_view programFolder) {
    std::string path(programFolder);
    path += static_cast<char>(std::filesystem::path::preferred_separator);
    path += kDatabaseFileName;
    return path;
}

bool IsOrdinaryFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace store
