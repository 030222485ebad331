#include "store/platform/RegistryApi.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "store/platform/BuiltinHive.h"
#endif

namespace store {

#ifdef _WIN32
namespace {

HKEY ToHkey(RegHandle handle) { return reinterpret_cast<HKEY>(handle); }

class WindowsRegistry final : public RegistryApi {
  public:
    std::int32_t RegOpenKeyExA(RegHandle key, const std::string& subKey, std::uint32_t options,
                               std::uint32_t samDesired, RegHandle& result) override {
        HKEY opened = nullptr;
        LONG status = ::RegOpenKeyExA(ToHkey(key), subKey.c_str(), options, samDesired, &opened);
        result = reinterpret_cast<RegHandle>(opened);
        return status;
    }
    std::int32_t RegQueryInfoKeyA(RegHandle key, std::uint32_t& maxValueNameLength) override {
        char className[1] = {0};
        DWORD classLength = 0;
        DWORD longest = 0;
        LONG status =
            ::RegQueryInfoKeyA(ToHkey(key), className, &classLength, nullptr, nullptr, nullptr,
                               nullptr, nullptr, &longest, nullptr, nullptr, nullptr);
        maxValueNameLength = longest;
        return status;
    }
    std::int32_t RegEnumValueA(RegHandle key, std::uint32_t index, char* valueName,
                               std::uint32_t& valueNameLength) override {
        DWORD length = valueNameLength;
        LONG status = ::RegEnumValueA(ToHkey(key), index, valueName, &length, nullptr, nullptr,
                                      nullptr, nullptr);
        valueNameLength = length;
        return status;
    }
    std::int32_t RegCloseKey(RegHandle key) override { return ::RegCloseKey(ToHkey(key)); }
};

}  // namespace

RegistryApi& SystemRegistry() {
    static WindowsRegistry registry;
    return registry;
}
#else
RegistryApi& SystemRegistry() {
    static BuiltinHive hive = BuiltinHive::WithOwnStore();
    return hive;
}
#endif

}  // namespace store
