#pragma once

#include <map>
#include <string>
#include <vector>

#include "store/platform/RegistryApi.h"

namespace store {

// A small registry of our own for platforms without one: keys below HKEY_LOCAL_MACHINE, each
// with the names of its values (their data is never read). Key paths compare without regard to
// case, as in the Windows registry. It also records which keys were asked for, so that tests
// can see which probes ran.
class BuiltinHive final : public RegistryApi {
  public:
    struct Key {
        std::vector<std::string> valueNames;
        bool readable = true;  // false: the key exists but opening it is refused
    };

    // The hive the program runs with: its SQLite store registered under the class key of the
    // Jet OLE DB 4.0 provider.
    static BuiltinHive WithOwnStore();

    void AddKey(const std::string& path, Key key);

    // Every sub-key RegOpenKeyExA was asked for, in order, as passed.
    const std::vector<std::string>& OpenRequests() const { return mOpenRequests; }
    // Handles opened and not yet closed.
    std::size_t OpenHandleCount() const { return mOpenHandles.size(); }

    std::int32_t RegOpenKeyExA(RegHandle key, const std::string& subKey, std::uint32_t options,
                               std::uint32_t samDesired, RegHandle& result) override;
    std::int32_t RegQueryInfoKeyA(RegHandle key, std::uint32_t& maxValueNameLength) override;
    std::int32_t RegEnumValueA(RegHandle key, std::uint32_t index, char* valueName,
                               std::uint32_t& valueNameLength) override;
    std::int32_t RegCloseKey(RegHandle key) override;

  private:
    const Key* FindOpen(RegHandle key) const;

    std::map<std::string, Key> mKeys;  // by lower-case path
    std::map<RegHandle, const Key*> mOpenHandles;
    RegHandle mNextHandle = 0x1000;
    std::vector<std::string> mOpenRequests;
};

}  // namespace store
