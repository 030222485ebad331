#pragma once

#include <cstdint>
#include <string>

// The four read-only registry calls the driver probe is written against, with the semantics of
// their Windows namesakes: results are Windows error codes, 0 meaning success.
namespace store {

using RegHandle = std::intptr_t;

inline constexpr std::int32_t kHkeyLocalMachine = static_cast<std::int32_t>(0x80000002u);
inline constexpr std::uint32_t kKeyQueryValue = 1;

inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorAccessDenied = 5;
inline constexpr std::int32_t kErrorInvalidHandle = 6;
inline constexpr std::int32_t kErrorMoreData = 234;
inline constexpr std::int32_t kErrorNoMoreItems = 259;

// A root such as HKEY_LOCAL_MACHINE as a handle: sign-extended, as Windows defines it.
inline RegHandle RootHandle(std::int32_t classKey) { return static_cast<RegHandle>(classKey); }

class RegistryApi {
  public:
    virtual ~RegistryApi() = default;

    // Opens `subKey` below `key` for `samDesired`; fills `result` on success.
    virtual std::int32_t RegOpenKeyExA(RegHandle key, const std::string& subKey,
                                       std::uint32_t options, std::uint32_t samDesired,
                                       RegHandle& result) = 0;
    // Only the length of the key's longest value name (in characters, without the terminating
    // zero) is asked for; every other count is discarded.
    virtual std::int32_t RegQueryInfoKeyA(RegHandle key, std::uint32_t& maxValueNameLength) = 0;
    // Copies the name of value `index` into `valueName`, whose capacity `valueNameLength` gives in
    // characters including the terminating zero; on success `valueNameLength` holds the name's
    // length without it. kErrorNoMoreItems after the last value.
    virtual std::int32_t RegEnumValueA(RegHandle key, std::uint32_t index, char* valueName,
                                       std::uint32_t& valueNameLength) = 0;
    virtual std::int32_t RegCloseKey(RegHandle key) = 0;
};

// The registry the program reads: the built-in hive, on every platform, in which the program's own
// store is registered as the Jet OLE DB 4.0 provider.
RegistryApi& SystemRegistry();

}  // namespace store
