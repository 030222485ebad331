#include "store/platform/DatabaseFile.h"

#include <filesystem>

namespace store {

std::string DatabasePath(std::string_view programFolder) {
    std::string path(programFolder);
    path += static_cast<char>(std::filesystem::path::preferred_separator);
    path += kDatabaseFileName;
    return path;
}

}  // namespace store
