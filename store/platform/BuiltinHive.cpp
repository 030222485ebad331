#include "store/platform/BuiltinHive.h"

#include <cstring>

#include "base/AsciiText.h"
#include "store/platform/DriverProbe.h"

namespace store {

BuiltinHive BuiltinHive::WithOwnStore() {
    BuiltinHive hive;
    hive.AddKey(std::string(kJet40ClassKey), Key{});
    return hive;
}

void BuiltinHive::AddKey(const std::string& path, Key key) {
    mKeys[base::LowerAscii(path)] = std::move(key);
}

const BuiltinHive::Key* BuiltinHive::FindOpen(RegHandle key) const {
    auto open = mOpenHandles.find(key);
    return open == mOpenHandles.end() ? nullptr : open->second;
}

std::int32_t BuiltinHive::RegOpenKeyExA(RegHandle key, const std::string& subKey,
                                        std::uint32_t /*options*/, std::uint32_t samDesired,
                                        RegHandle& result) {
    mOpenRequests.push_back(subKey);
    if (key != RootHandle(kHkeyLocalMachine)) return kErrorInvalidHandle;
    auto found = mKeys.find(base::LowerAscii(subKey));
    if (found == mKeys.end()) return kErrorFileNotFound;
    if (!found->second.readable || (samDesired & ~kKeyQueryValue) != 0) return kErrorAccessDenied;
    result = mNextHandle++;
    mOpenHandles[result] = &found->second;
    return kErrorSuccess;
}

std::int32_t BuiltinHive::RegQueryInfoKeyA(RegHandle key, std::uint32_t& maxValueNameLength) {
    const Key* open = FindOpen(key);
    if (open == nullptr) return kErrorInvalidHandle;
    std::size_t longest = 0;
    for (const std::string& name : open->valueNames) longest = std::max(longest, name.size());
    maxValueNameLength = static_cast<std::uint32_t>(longest);
    return kErrorSuccess;
}

std::int32_t BuiltinHive::RegEnumValueA(RegHandle key, std::uint32_t index, char* valueName,
                                        std::uint32_t& valueNameLength) {
    const Key* open = FindOpen(key);
    if (open == nullptr) return kErrorInvalidHandle;
    if (index >= open->valueNames.size()) return kErrorNoMoreItems;
    const std::string& name = open->valueNames[index];
    if (name.size() + 1 > valueNameLength) return kErrorMoreData;
    std::memcpy(valueName, name.c_str(), name.size() + 1);
    valueNameLength = static_cast<std::uint32_t>(name.size());
    return kErrorSuccess;
}

std::int32_t BuiltinHive::RegCloseKey(RegHandle key) {
    return mOpenHandles.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

// The program's store is its own SQLite, on Windows too: no driver has to be installed, and a
// 64-bit Windows has no Jet OLE DB 4.0 provider at all. So the probe reads the built-in hive
// everywhere, in which that store stands registered; the real registry would only ever say
// "Kein Access-Treiber" about a driver the program does not use.
RegistryApi& SystemRegistry() {
    static BuiltinHive hive = BuiltinHive::WithOwnStore();
    return hive;
}

}  // namespace store
