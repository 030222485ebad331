#include "store/platform/cRegistry.h"

#include <gtest/gtest.h>

#include <cstring>

#include "store/platform/BuiltinHive.h"

namespace {

using store::BuiltinHive;
using store::cRegistry;
using store::kHkeyLocalMachine;

const char* const kKey = "SOFTWARE\\Some\\Key";

cRegistry ReaderFor(store::RegistryApi& api, const std::string& key) {
    cRegistry reader(api);
    reader.ClassKey(kHkeyLocalMachine);
    reader.SectionKey(key);
    return reader;
}

TEST(cRegistry, KeyExistsOnlyForAReadableKeyAndClosesWhatItOpens) {
    BuiltinHive hive;
    hive.AddKey(kKey, {});
    hive.AddKey("SOFTWARE\\Locked", {.valueNames = {}, .readable = false});

    EXPECT_TRUE(ReaderFor(hive, kKey).KeyExists());
    EXPECT_TRUE(ReaderFor(hive, "software\\some\\KEY").KeyExists());  // any case
    EXPECT_FALSE(ReaderFor(hive, "SOFTWARE\\Missing").KeyExists());
    EXPECT_FALSE(ReaderFor(hive, "SOFTWARE\\Locked").KeyExists());
    EXPECT_EQ(hive.OpenHandleCount(), 0u);

    cRegistry otherRoot(hive);
    otherRoot.ClassKey(static_cast<std::int32_t>(0x80000001u));  // HKEY_CURRENT_USER
    otherRoot.SectionKey(kKey);
    EXPECT_FALSE(otherRoot.KeyExists());
}

TEST(cRegistry, EnumerateValuesListsTheNamesInOrderAndEmptiesItsOutputsFirst) {
    BuiltinHive hive;
    hive.AddKey(kKey, {.valueNames = {"SQL Server", "", "Microsoft Access Driver (*.mdb)", "x"}});
    hive.AddKey("SOFTWARE\\Empty", {});

    std::vector<std::string> names = {"stale"};
    std::int32_t count = 99;
    EXPECT_TRUE(ReaderFor(hive, kKey).EnumerateValues(names, count));
    EXPECT_EQ(count, 4);
    EXPECT_EQ(names,
              (std::vector<std::string>{"SQL Server", "", "Microsoft Access Driver (*.mdb)", "x"}));

    for (const char* key : {"SOFTWARE\\Empty", "SOFTWARE\\Missing"}) {
        EXPECT_TRUE(ReaderFor(hive, key).EnumerateValues(names, count));
        EXPECT_EQ(count, 0) << key;
        EXPECT_TRUE(names.empty()) << key;
    }
    EXPECT_EQ(hive.OpenHandleCount(), 0u);
}

// A registry whose calls fail where a test says.
class FailingRegistry final : public store::RegistryApi {
  public:
    std::int32_t queryResult = 0;
    std::uint32_t failEnumAt = 1000;
    std::vector<std::string> names = {"a", "bb", "ccc"};
    int closes = 0;

    std::int32_t RegOpenKeyExA(store::RegHandle, const std::string&, std::uint32_t, std::uint32_t,
                               store::RegHandle& result) override {
        result = 42;
        return 0;
    }
    std::int32_t RegQueryInfoKeyA(store::RegHandle, std::uint32_t& longest) override {
        longest = 3;
        return queryResult;
    }
    std::int32_t RegEnumValueA(store::RegHandle, std::uint32_t index, char* name,
                               std::uint32_t& length) override {
        if (index == failEnumAt) return 234;
        if (index >= names.size()) return store::kErrorNoMoreItems;
        std::memcpy(name, names[index].c_str(), names[index].size() + 1);
        length = static_cast<std::uint32_t>(names[index].size());
        return 0;
    }
    std::int32_t RegCloseKey(store::RegHandle) override {
        ++closes;
        return 0;
    }
};

TEST(cRegistry, EnumerateValuesStopsAtTheFirstFailureKeepingWhatItHas) {
    struct Case {
        std::int32_t queryResult;
        std::uint32_t failEnumAt;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {0, 1000, {"a", "bb", "ccc"}},
        {0, 1, {"a"}},
        {0, 0, {}},
        {5, 1000, {}},
    };
    for (const Case& c : cases) {
        FailingRegistry api;
        api.queryResult = c.queryResult;
        api.failEnumAt = c.failEnumAt;
        std::vector<std::string> names;
        std::int32_t count = -1;
        EXPECT_TRUE(ReaderFor(api, kKey).EnumerateValues(names, count));
        EXPECT_EQ(names, c.expected);
        EXPECT_EQ(count, static_cast<std::int32_t>(c.expected.size()));
        EXPECT_EQ(api.closes, 1);
    }
}

}  // namespace
