#include "store/platform/cRegistry.h"

#include <algorithm>

namespace store {

std::int32_t cRegistry::OpenForQuery(RegHandle& handle) const {
    return mApi.RegOpenKeyExA(RootHandle(mClassKey), mSectionKey, 0, kKeyQueryValue, handle);
}

bool cRegistry::KeyExists() const {
    RegHandle handle = 0;
    if (OpenForQuery(handle) != kErrorSuccess) return false;
    mApi.RegCloseKey(handle);
    return true;
}

bool cRegistry::EnumerateValues(std::vector<std::string>& sKeyNames, std::int32_t& iKeyCount) {
    iKeyCount = 0;
    sKeyNames.clear();
    std::uint32_t index = 0;
    RegHandle handle = 0;
    if (OpenForQuery(handle) == kErrorSuccess) {
        std::uint32_t longest = 0;
        std::int32_t status = mApi.RegQueryInfoKeyA(handle, longest);
        while (status == kErrorSuccess) {
            std::string buffer(longest + 1, '\0');
            std::uint32_t length = longest + 1;
            status = mApi.RegEnumValueA(handle, index, buffer.data(), length);
            if (status == kErrorSuccess) {
                buffer.resize(std::min<std::size_t>(length, buffer.size()));
                sKeyNames.push_back(std::move(buffer));
                ++iKeyCount;
            }
            ++index;
        }
    }
    if (handle != 0) mApi.RegCloseKey(handle);
    return true;
}

}  // namespace store
