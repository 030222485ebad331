#include "store/platform/DriverProbe.h"

#include <gtest/gtest.h>

#include <optional>

#include "store/platform/BuiltinHive.h"

namespace {

using store::BuiltinHive;

const std::string kPath = "/home/user/lotto/Lotto.mdb";
const std::string kJet40 = std::string(store::kJet40ClassKey);
const std::string kJet351 = std::string(store::kJet351ClassKey);
const std::string kOdbc = std::string(store::kOdbcDriversKey);

struct ProbeCase {
    const char* name;
    bool jet40, jet40Readable, jet351;
    std::optional<std::vector<std::string>> odbcDrivers;  // nullopt: no such key
    std::string expectedText;
    std::vector<std::string> expectedOpens;
};

TEST(ProbeConnectionText, TriesTheThreeDriversInOrder) {
    const ProbeCase cases[] = {
        {"4.0 wins; 3.51 is never opened",
         true,
         true,
         true,
         std::vector<std::string>{"x (*.mdb)"},
         "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + kPath,
         {kJet40}},
        {"only 3.51",
         false,
         true,
         true,
         std::vector<std::string>{"x (*.mdb)"},
         "Provider=Microsoft.Jet.OLEDB.3.51; Data Source=" + kPath,
         {kJet40, kJet351}},
        {"4.0 present but unreadable",
         true,
         false,
         true,
         std::nullopt,
         "Provider=Microsoft.Jet.OLEDB.3.51; Data Source=" + kPath,
         {kJet40, kJet351}},
        {"ODBC name in capitals",
         false,
         true,
         false,
         std::vector<std::string>{"SQL Server", "Microsoft Access Driver (*.MDB)"},
         "Driver={Microsoft Access Driver (*.MDB)}; Dbq=" + kPath,
         {kJet40, kJet351, kOdbc}},
        {"mdb without the asterisk",
         false,
         true,
         false,
         std::vector<std::string>{"Access (mdb)", "Access (.mdb)", "Access *. mdb"},
         "",
         {kJet40, kJet351, kOdbc}},
        {"first of several matches",
         false,
         true,
         false,
         std::vector<std::string>{"A (*.mdb)", "B (*.mdb, *.accdb)"},
         "Driver={A (*.mdb)}; Dbq=" + kPath,
         {kJet40, kJet351, kOdbc}},
        {"ODBC key without values",
         false,
         true,
         false,
         std::vector<std::string>{},
         "",
         {kJet40, kJet351, kOdbc}},
        {"no ODBC key at all", false, true, false, std::nullopt, "", {kJet40, kJet351, kOdbc}},
    };
    for (const ProbeCase& c : cases) {
        BuiltinHive hive;
        if (c.jet40) hive.AddKey(kJet40, {.valueNames = {}, .readable = c.jet40Readable});
        if (c.jet351) hive.AddKey(kJet351, {});
        if (c.odbcDrivers) hive.AddKey(kOdbc, {.valueNames = *c.odbcDrivers});

        EXPECT_EQ(store::ProbeConnectionText(hive, kPath), c.expectedText) << c.name;
        EXPECT_EQ(hive.OpenRequests(), c.expectedOpens) << c.name;
        EXPECT_EQ(hive.OpenHandleCount(), 0u) << c.name;
    }
}

TEST(ProbeConnectionText, FindsTheProgramsOwnStoreInTheBuiltInHive) {
    BuiltinHive hive = BuiltinHive::WithOwnStore();
    EXPECT_EQ(store::ProbeConnectionText(hive, kPath),
              "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + kPath);
}

}  // namespace
