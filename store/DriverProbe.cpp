#include "store/DriverProbe.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "store/cRegistry.h"

namespace store {
namespace {

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    auto found = std::search(text.begin(), text.end(), part.begin(), part.end(),
                             [&](char a, char b) { return lower(a) == lower(b); });
    return found != text.end();
}

}  // namespace

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
            if (ContainsIgnoringCase(name, "*.mdb")) {
                connectionText = "Driver={" + name + "}; Dbq=" + databasePath;
                break;
            }
        }
    }
    return connectionText;
}

}  // namespace store
