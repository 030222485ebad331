// What only Windows has: the user's own database in the local application data, names that lead
// to a device, and a database another program holds open for itself alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

#include "base/Errors.h"
#include "store/platform/DatabaseFile.h"
#include "store/platform/FileIdentity.h"
#include "store/platform/OwnDatabase.h"
#include "store/platform/windows/Win32.h"
#include "store/sqlite/SpecialFiles.h"
#include "store/sqlite/SqliteConnection.h"
#include "tests/support/TempDatabase.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempDatabase;
using testing_support::TempFolder;

std::string Utf8(const fs::path& path) { return store::Narrow(path.wstring()); }

std::string Contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// A program folder as the installer lays it (Lotto-empty.mdb beside the program) or as the
// portable copy is (Lotto.mdb beside it), and a user's local application data with an umlaut.
struct Machine {
    TempFolder root;
    fs::path program = root.Path() / L"Programme" / L"Varedadav";
    fs::path dataHome = root.Path() / L"J\u00fcrgen" / L"AppData" / L"Local";
    fs::path own = dataHome / L"Varedadav" / L"Lotto.mdb";
    Machine() {
        fs::create_directories(program);
        fs::create_directories(dataHome);
    }
    std::string Locate() const { return store::LocateDatabase(Utf8(program), Utf8(dataHome)); }
};

TEST(WindowsOwnDatabase, LiesBesideTheProgramOrInTheUsersLocalData) {
    enum class Setup { Installed, Portable, NeitherShipped, OwnAlreadyThere, FileInPlaceOfFolder };
    struct Case {
        Setup setup;
        const char* expected;  // "own", "beside" or a piece of the error message
    };
    for (const Case& test :
         std::vector<Case>{{Setup::Installed, "own"},
                           {Setup::Portable, "beside"},
                           {Setup::NeitherShipped, "beside"},
                           {Setup::OwnAlreadyThere, "own"},
                           {Setup::FileInPlaceOfFolder, "Datei dieses Namens"}}) {
        SCOPED_TRACE(static_cast<int>(test.setup));
        Machine machine;
        const fs::path empty = machine.program / "Lotto-empty.mdb";
        if (test.setup != Setup::NeitherShipped) TempDatabase::CreateAt(Utf8(empty));
        if (test.setup == Setup::Portable) std::ofstream(machine.program / "Lotto.mdb") << "mine";
        if (test.setup == Setup::OwnAlreadyThere) {
            fs::create_directories(machine.own.parent_path());
            std::ofstream(machine.own) << "rows";
        }
        if (test.setup == Setup::FileInPlaceOfFolder) {
            std::ofstream(machine.dataHome / "Varedadav") << "";
        }
        const std::string expected(test.expected);
        if (expected == "own") {
            EXPECT_EQ(machine.Locate(), Utf8(machine.own));
            EXPECT_EQ(Contents(machine.own),
                      test.setup == Setup::OwnAlreadyThere ? "rows" : Contents(empty));
        } else if (expected == "beside") {
            EXPECT_EQ(machine.Locate(), Utf8(machine.program / "Lotto.mdb"));
            EXPECT_FALSE(fs::exists(machine.dataHome / "Varedadav"));
        } else {
            try {
                machine.Locate();
                ADD_FAILURE() << "no error";
            } catch (const base::DatabaseError& error) {
                EXPECT_NE(std::string(error.what()).find(expected), std::string::npos)
                    << error.what();
            }
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(machine.dataHome), fs::directory_iterator()),
                  expected == "beside" ? 0 : 1)
            << "nothing but the folder is left in the user's data";
    }
}

TEST(WindowsOwnDatabase, TwoFirstStartsAtOnceShareOneFile) {
    Machine machine;
    TempDatabase::CreateAt(Utf8(machine.program / "Lotto-empty.mdb"));
    std::vector<std::string> located(8);
    std::vector<std::thread> starts;
    for (std::string& path : located) starts.emplace_back([&] { path = machine.Locate(); });
    for (std::thread& start : starts) start.join();
    for (const std::string& path : located) EXPECT_EQ(path, Utf8(machine.own));
    EXPECT_EQ(
        std::distance(fs::directory_iterator(machine.own.parent_path()), fs::directory_iterator()),
        1);
}

TEST(WindowsOwnDatabase, TheUsersDataIsTheLocalApplicationData) {
    wchar_t expected[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"LOCALAPPDATA", expected, MAX_PATH), 0u);
    EXPECT_EQ(store::UserDataHome(), store::Narrow(expected));
}

// Explorer runs a program started from inside a zip archive in %TEMP%, which may be written in
// short names; the program's folder is compared with it as Windows compares names.
TEST(WindowsTemporaryFolder, HoldsWhatLiesInItWhateverTheCase) {
    const std::string temporary = store::TemporaryFolder();
    const std::optional<store::FileIdentity> folder = store::LookAt(temporary).identity;
    ASSERT_TRUE(folder) << temporary;
    EXPECT_EQ(*folder, store::LookAt(Utf8(fs::temp_directory_path())).identity) << temporary;
    std::string upper = temporary;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    struct Case {
        std::string path;
        bool inside;
    };
    for (const Case& test : std::vector<Case>{
             {temporary, true},
             {temporary + "\\Temp1_Varedadav-1.4.0-windows.zip\\Varedadav-1.4.0", true},
             {temporary + "/Temp1_Varedadav-1.4.0-windows.zip", true},
             {upper + "\\Varedadav", true},
             {temporary + "2\\Varedadav", false},
             {temporary.substr(0, temporary.rfind('\\')), false}}) {
        SCOPED_TRACE(test.path);
        EXPECT_EQ(store::LiesIn(test.path, temporary), test.inside);
    }
    EXPECT_FALSE(store::LiesIn(temporary, "")) << "no temporary folder known";
}

// A database that cannot be opened is refused with a message naming it, at once: a device is
// never read (the console would wait for typing), a file held open elsewhere is named as such.
TEST(WindowsSpecialFiles, AreRefusedWithAMessageThatNamesThem) {
    TempDatabase database;
    const HANDLE held = CreateFileW(store::Widen(database.Path()).c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    struct Case {
        std::string path;
        const char* message;
    };
    for (const Case& test :
         std::vector<Case>{{"NUL", "\\\\.\\NUL“ ist keine gewöhnliche Datei, sondern ein Gerät"},
                           {database.Path(), "von einem anderen Programm geöffnet"}}) {
        store::SqliteConnection connection;
        try {
            connection.Open("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + test.path);
            ADD_FAILURE() << test.path << " was opened";
        } catch (const base::DatabaseError& error) {
            EXPECT_NE(std::string(error.what()).find(test.message), std::string::npos)
                << error.what();
        }
    }
    CloseHandle(held);
    EXPECT_EQ(database.RowCount(), 0) << "the file is intact and opens once it is free";
    EXPECT_EQ(store::SpecialFileAt("NUL")->kind, "ein Gerät");
    EXPECT_FALSE(store::SpecialFileAt(database.Path()));
}

}  // namespace
