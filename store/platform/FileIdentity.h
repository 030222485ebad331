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

// What a look at the file at `path` (links followed) found.
struct FileLook {
    std::optional<FileIdentity> identity;  // nothing when no file is there or the look failed
    // Why the look itself failed (errno, GetLastError on Windows): a read error, no permission.
    // Then nothing is known of the file; 0 when the look answered.
    int failure = 0;
};

FileLook LookAt(const std::string& path);

// The platform's own look. Tests put one in between that fails on purpose (nullptr: none).
FileLook SystemLookAt(const std::string& path);
void PutLookInBetween(FileLook (*look)(const std::string& path));

}  // namespace store
