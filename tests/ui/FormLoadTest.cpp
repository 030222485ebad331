#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/Errors.h"
#include "store/platform/DriverProbe.h"
#include "tests/ui/ScriptedDialogs.h"

namespace {

using testing_support::EnvironmentFor;
using testing_support::LoadedForm;
using testing_support::ScriptedDialogs;
using testing_support::TempDatabase;
using testing_support::TempFolder;
using ui::MsgBoxIcon;

TEST(Form_Load, ShowsTheRowCountAndTheStake) {
    struct Case {
        int rows;
        const char* separator;
        const char* count;
        const char* stake;
    };
    const Case cases[] = {{0, ",", "0", "= 0 Euro"},
                          {1, ",", "1", "= 1 Euro"},
                          {12, ",", "12", "= 9,25 Euro"},
                          {13, ",", "13", "= 10,25 Euro"},
                          {12, ".", "12", "= 9.25 Euro"},
                          {13, ".", "13", "= 10.25 Euro"},
                          {32767, ",", "32767", "= 25258 Euro"}};
    for (const Case& c : cases) {
        LoadedForm window(c.rows, c.separator);
        ASSERT_TRUE(window.loaded);
        EXPECT_EQ(window.form->mSeriesCount, c.rows);
        EXPECT_EQ(window.form->txtCurrentSeriesNumber.Text, c.count);
        EXPECT_EQ(window.form->lblEuroUsed.Text, c.stake);
        EXPECT_TRUE(window.dialogs.shown.empty());
        EXPECT_TRUE(window.form->mConnection);
    }
}

TEST(Form_Load, EndsWithAMessageWhenTheFileIsMissingOrAFolder) {
    // A program started from inside a zip archive runs alone in the temporary folder.
    const std::string unpackFirst =
        " Bitte das ZIP-Archiv zuerst entpacken und das Programm dann aus dem entpackten Ordner "
        "starten.";
    for (const auto& [folderNamedLikeTheFile, inTemporaryFolder] :
         {std::pair{false, false}, {true, false}, {false, true}}) {
        TempFolder folder;
        const std::string path = (folder.Path() / "Lotto.mdb").string();
        if (folderNamedLikeTheFile) std::filesystem::create_directory(path);
        store::BuiltinHive hive = store::BuiltinHive::WithOwnStore();
        ScriptedDialogs dialogs;
        ui::FormEnvironment environment = EnvironmentFor(folder.Path().string(), hive);
        if (inTemporaryFolder) environment.temporaryFolder = folder.Path().parent_path().string();
        ui::frmMain form(dialogs, std::move(environment));

        EXPECT_FALSE(form.Form_Load());
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].prompt, "Access-Datenbank " + path +
                                               " nicht gefunden, Programm wird beendet." +
                                               (inTemporaryFolder ? unpackFirst : ""));
        EXPECT_EQ(dialogs.shown[0].icon, MsgBoxIcon::Error);
        EXPECT_EQ(dialogs.shown[0].buttons, ui::MsgBoxButtons::Ok);
        EXPECT_TRUE(hive.OpenRequests().empty());  // the registry is never asked
        EXPECT_FALSE(form.mConnection);
        EXPECT_EQ(std::filesystem::is_directory(path), folderNamedLikeTheFile);
    }
}

TEST(Form_Load, EndsWithAMessageWhenNoDriverIsInstalled) {
    TempDatabase database;
    store::BuiltinHive emptyHive;
    ScriptedDialogs dialogs;
    ui::frmMain form(dialogs, EnvironmentFor(database.Folder(), emptyHive));

    EXPECT_FALSE(form.Form_Load());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].prompt, "Kein Access-Treiber installiert, Programm wird beendet.");
    EXPECT_EQ(dialogs.shown[0].icon, MsgBoxIcon::Error);
    EXPECT_FALSE(form.mConnection);
    EXPECT_EQ(emptyHive.OpenHandleCount(), 0u);
}

TEST(Form_Load, ReachesTheFileThroughAnOdbcDriver) {
    TempDatabase database;
    database.AddRows(2);
    store::BuiltinHive hive;
    hive.AddKey(std::string(store::kOdbcDriversKey),
                {.valueNames = {"Microsoft Access Driver (*.mdb)"}});
    ScriptedDialogs dialogs;
    ui::frmMain form(dialogs, EnvironmentFor(database.Folder(), hive));
    EXPECT_TRUE(form.Form_Load());
    EXPECT_EQ(form.txtCurrentSeriesNumber.Text, "2");
}

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(Form_Load, FailsOnAFileItCannotUseAndLeavesTheFileAsItWas) {
    struct Case {
        const char* name;
        std::function<void(const TempDatabase&)> spoil;
    };
    const Case cases[] = {
        {"text file",
         [](const TempDatabase& db) { std::ofstream(db.Path()) << "no database here, only text"; }},
        {"empty file", [](const TempDatabase& db) { std::ofstream(db.Path(), std::ios::trunc); }},
        {"table missing", [](const TempDatabase& db) { db.Exec("drop table tblLotterySeries"); }},
        {"other columns",
         [](const TempDatabase& db) {
             db.Exec(
                 "drop table tblLotterySeries; create table tblLotterySeries (ID integer, Numbers "
                 "text)");
         }},
        {"truncated",
         [](const TempDatabase& db) {
             db.AddRows(2000);
             std::filesystem::resize_file(db.Path(), std::filesystem::file_size(db.Path()) / 2);
         }},
        {"random bytes",
         [](const TempDatabase& db) {
             std::ofstream file(db.Path(), std::ios::binary | std::ios::trunc);
             for (int i = 0; i < 8192; ++i) file.put(static_cast<char>((i * 7919 + 13) % 251));
         }},
        {"another database format",
         [](const TempDatabase& db) {
             std::ofstream file(db.Path(), std::ios::binary | std::ios::trunc);
             file << std::string("\0\x01\0\0Standard Jet DB\0", 20) << std::string(4096, '\x5a');
         }},
        {"more than 32767 rows", [](const TempDatabase& db) { db.AddRows(32768); }},
    };
    for (const Case& c : cases) {
        TempDatabase database;
        c.spoil(database);
        const std::string before = Contents(database.Path());
        store::BuiltinHive hive = store::BuiltinHive::WithOwnStore();
        ScriptedDialogs dialogs;
        ui::frmMain form(dialogs, EnvironmentFor(database.Folder(), hive));
        EXPECT_THROW(form.Form_Load(), base::AppError) << c.name;
        EXPECT_TRUE(Contents(database.Path()) == before) << c.name << " was changed";
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(database.Folder()),
                                std::filesystem::directory_iterator()),
                  1)
            << c.name << ": something beside Lotto.mdb was left behind";
    }
}

TEST(Form_Unload, ClosesTheConnection) {
    LoadedForm window(3);
    window.form->Form_Unload();
    EXPECT_FALSE(window.form->mConnection);
    // The file is free again: another program can delete all rows without waiting.
    window.database.Exec("delete from tblLotterySeries");
    EXPECT_EQ(window.database.RowCount(), 0);
}

}  // namespace
