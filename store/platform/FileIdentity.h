#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace store {

// What tells one file from another on the same machine (device and inode, or volume and file
// index): a file deleted and another laid under its name has another identity.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The identity of the file at `path` (links followed); nothing when no file is there.
std::optional<FileIdentity> IdentityOf(const std::string& path);

}  // namespace store
