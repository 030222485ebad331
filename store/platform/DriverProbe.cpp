#include "store/platform/DriverProbe.h"

#include <cstdint>
#include <vector>

#include "base/AsciiText.h"
#include "store/platform/cRegistry.h"

namespace store {

std::string ProbeConnectionText(RegistryApi& registry, const std::string& databasePath) {
    std::string connectionText;
    cRegistry reader(registry);
    reader.ClassKey(kHkeyLocalMachine);

    reader.SectionKey(std::string(kJet40ClassKey));
    if (reader.KeyExists()) {
        connectionText = "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + databasePath;
    }
    if (connectionText.empty()) {
        reader.SectionKey(std::string(kJet351ClassKey));
        if (reader.KeyExists()) {
            connectionText = "Provider=Microsoft.Jet.OLEDB.3.51; Data Source=" + databasePath;
        }
    }
    if (connectionText.empty()) {
        reader.SectionKey(std::string(kOdbcDriversKey));
        std::vector<std::string> driverNames;
        std::int32_t driverCount = 0;
        reader.EnumerateValues(driverNames, driverCount);
        for (std::int32_t i = 1; i <= driverCount; ++i) {
            const std::string& name = driverNames[i - 1];
            if (base::ContainsIgnoringAsciiCase(name, "*.mdb")) {
                connectionText = "Driver={" + name + "}; Dbq=" + databasePath;
                break;
            }
        }
    }
    return connectionText;
}

}  // namespace store
