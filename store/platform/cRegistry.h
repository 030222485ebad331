#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/platform/RegistryApi.h"

namespace store {

// Read-only access to one registry key: set the root (ClassKey) and the path below it
// (SectionKey), then ask whether the key can be read or list the names of its values. No handle
// is kept open between calls.
class cRegistry {
  public:
    explicit cRegistry(RegistryApi& api) : mApi(api) {}

    // Fills sKeyNames with the key's value names in enumeration order and iKeyCount with their
    // number; both are emptied first. sKeyNames[i - 1] is the i-th name. Always returns true.
    bool EnumerateValues(std::vector<std::string>& sKeyNames, std::int32_t& iKeyCount);
    void ClassKey(std::int32_t eKey) { mClassKey = eKey; }
    // True iff the key can be opened for reading.
    bool KeyExists() const;
    void SectionKey(std::string sSectionKey) { mSectionKey = std::move(sSectionKey); }

  private:
    std::int32_t OpenForQuery(RegHandle& handle) const;

    RegistryApi& mApi;
    std::int32_t mClassKey = 0;
    std::string mSectionKey;
};

}  // namespace store
