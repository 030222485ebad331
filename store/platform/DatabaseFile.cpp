#include "store/platform/DatabaseFile.h"

#include <filesystem>

#include "store/platform/FileIdentity.h"

namespace store {
namespace {

FileLook (*gLookInBetween)(const std::string& path) = nullptr;

}  // namespace

FileLook LookAt(const std::string& path) {
    return gLookInBetween != nullptr ? gLookInBetween(path) : SystemLookAt(path);
}

void PutLookInBetween(FileLook (*look)(const std::string& path)) { gLookInBetween = look; }

std::string DatabasePath(std::string_view programFolder) {
    std::string path(programFolder);
    path += static_cast<char>(std::filesystem::path::preferred_separator);
    path += kDatabaseFileName;
    return path;
}

}  // namespace store
