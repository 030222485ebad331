#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>

#include "base/Errors.h"
#include "store/platform/ConnectionText.h"
#include "store/platform/DatabaseFile.h"
#include "store/sqlite/RowStatements.h"
#include "store/sqlite/SqliteConnection.h"
#include "tests/support/FaultyFiles.h"
#include "tests/support/TempDatabase.h"

namespace {

using base::DatabaseError;
using testing_support::TempDatabase;
using testing_support::TempFolder;

TEST(DatabasePathOf, ReadsTheThreeFormsOfTheProbeWithAnyPath) {
    // A folder name may hold any character the file system allows; the path is all the rest.
    const char* paths[] = {
        "/a/Lotto.mdb",
        "/a; Dbq=b/Lotto.mdb",
        "/x;provider=y/Lotto.mdb",
        "/x; Data Source=/y",
        "/{a}/b=c;/Lotto.mdb",
        " /'q\"/ ; /Lotto.mdb ",
        "/ä €/Lotto.mdb",
        ";",
    };
    const char* forms[] = {
        "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=",
        "Provider=Microsoft.Jet.OLEDB.3.51; Data Source=",
        "Driver={Microsoft Access Driver (*.mdb)}; Dbq=",
        "provider = microsoft.jet.oledb.4.0 ;data source=",
        "Driver={A; B (*.MDB)} ; DBQ=",
    };
    for (const char* form : forms) {
        for (const char* path : paths) {
            EXPECT_EQ(store::DatabasePathOf(std::string(form) + path), path) << form << path;
        }
    }
}

TEST(DatabasePathOf, RefusesOtherTexts) {
    for (const char* text :
         {"", "Data Source=/a/Lotto.mdb", "Provider=SQLOLEDB; Data Source=/a",
          "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=", "Provider=Microsoft.Jet.OLEDB.4.0",
          "Provider=Microsoft.Jet.OLEDB.4.0; Dbq=/a", "Driver={A (*.mdb)}; Data Source=/a",
          "Driver={SQL Server}; Dbq=/a", "Driver={A (*.mdb); Dbq=/a", "Driver={A (*.mdb)}x; Dbq=/a",
          "Password=x; Provider=Microsoft.Jet.OLEDB.4.0; Data Source=/a"}) {
        EXPECT_THROW(store::DatabasePathOf(text), DatabaseError) << text;
    }
}

TEST(DatabaseFile, CountsOnlyAnOrdinaryFileAsTheDatabase) {
    TempFolder folder;
    const std::string path = store::DatabasePath(folder.Path().string());
    EXPECT_EQ(path, (folder.Path() / "Lotto.mdb").string());
    EXPECT_FALSE(store::IsOrdinaryFile(path));
    std::filesystem::create_directory(path);
    EXPECT_FALSE(store::IsOrdinaryFile(path));
    std::filesystem::remove(path);
    std::ofstream(path) << "";
    EXPECT_TRUE(store::IsOrdinaryFile(path));
}

class SqliteConnectionTest : public ::testing::Test {
  protected:
    void SetUp() override { connection.Open(database.ConnectionText()); }

    std::vector<std::string> ListRows() {
        std::vector<std::string> rows;
        auto list = connection.Execute(std::string(store::kListStatement));
        for (; !list->Eof(); list->MoveNext()) rows.push_back(list->Field("BallNumberList").Text());
        list->Close();
        return rows;
    }

    TempDatabase database;
    store::SqliteConnection connection;
};

TEST_F(SqliteConnectionTest, CountsListsAndDeletesWithTheFourStatements) {
    auto count = connection.Execute(std::string(store::kCountStatement));
    ASSERT_FALSE(count->Eof());
    EXPECT_EQ(count->Field("seriesnumber").Number(), 0.0);  // fields by name, any case
    count->Close();

    auto emptyList = connection.Execute(std::string(store::kListStatement));
    EXPECT_TRUE(emptyList->Eof());
    EXPECT_THROW(emptyList->MoveNext(), DatabaseError);
    EXPECT_THROW(emptyList->Field("BallNumberList"), DatabaseError);

    for (const char* row : {"3,7,12,25,40,49", "1,2,3,4,5,6", "07, 8,x,9,10,11"}) {
        connection.ExecuteWithText(store::kInsertStatement, row);
    }
    EXPECT_EQ(ListRows(),
              (std::vector<std::string>{"3,7,12,25,40,49", "1,2,3,4,5,6", "07, 8,x,9,10,11"}));
    EXPECT_EQ(database.RowCount(), 3);  // on disk for another reader at once

    connection.Execute(std::string(store::kDeleteAllStatement));
    EXPECT_EQ(database.RowCount(), 0);
    connection.ExecuteWithText(store::kInsertStatement, "9,9,9,9,9,9");
    EXPECT_EQ(ListRows(), (std::vector<std::string>{"9,9,9,9,9,9"}));
}

TEST_F(SqliteConnectionTest, StoresEveryTextExactlyAndNothingElse) {
    const std::vector<std::string> rows = {"1,'2,3",  "'');drop table tblLotterySeries;--",
                                           "\"%_\\;", "ä,ß,€",
                                           " , ,\t,", "1234,12,12,12,12,12"};
    for (const std::string& row : rows) connection.ExecuteWithText(store::kInsertStatement, row);
    EXPECT_EQ(ListRows(), rows);
    EXPECT_EQ(database.Rows(), rows);
}

TEST_F(SqliteConnectionTest, RefusesMoreThanOneStatementAndReportsRejectedOnes) {
    EXPECT_THROW(connection.Execute("delete from tblLotterySeries; drop table tblLotterySeries"),
                 DatabaseError);
    EXPECT_THROW(connection.Execute(std::string("select 1\0 drop", 14)), DatabaseError);
    EXPECT_THROW(connection.Execute(""), DatabaseError);
    EXPECT_THROW(connection.Execute("select * from tblMissing"), DatabaseError);
    EXPECT_THROW(connection.Execute("select 1")->Field("nothing"), DatabaseError);
    for (const char* withoutOneParameter :
         {"delete from tblLotterySeries",
          "insert into tblLotterySeries (BallNumberList) values (?)"
          "; delete from tblLotterySeries",
          "insert into tblLotterySeries (LotterySeriesID, BallNumberList) values (?, ?)"}) {
        EXPECT_THROW(connection.ExecuteWithText(withoutOneParameter, "1"), DatabaseError);
    }
    EXPECT_EQ(database.RowCount(), 0);
}

// A file from anywhere, and other programs writing to it, can make no statement of the program
// do more than it says: triggers never fire, not even one added after the start check; the
// schema cannot be rewritten through pragmas; no value beyond the length limit is loaded.
TEST_F(SqliteConnectionTest, DoesNoMoreThanEachStatementSays) {
    database.Exec(
        "create table copies (row text); create trigger copy after insert on tblLotterySeries "
        "begin insert into copies values (new.BallNumberList); end");
    connection.ExecuteWithText(store::kInsertStatement, "1,2,3,4,5,6");
    connection.Execute(std::string(store::kDeleteAllStatement));
    auto copies = connection.Execute("select count(*) as Copies from copies");
    EXPECT_EQ(copies->Field("Copies").Number(), 0.0);
    copies->Close();

    connection.Execute("pragma writable_schema = on");
    EXPECT_THROW(connection.Execute("update sqlite_schema set sql = 'create table "
                                    "tblLotterySeries (x)' where name = 'tblLotterySeries'"),
                 DatabaseError);
    EXPECT_EQ(database.IntegrityCheck(), "ok");

    database.Exec("insert into tblLotterySeries (BallNumberList) values (printf('%.2000c', '7'))");
    store::SqliteConnection limited(1000);
    limited.Open(database.ConnectionText());
    // A row of 2,000 bytes under a limit of 1,000, and one byte beyond the 100 MB of the default.
    const std::pair<store::SqliteConnection*, std::string> tooBig[] = {
        {&limited, std::string(store::kListStatement)},
        {&connection, "select length(zeroblob(100000001)) as Bytes"},
    };
    for (const auto& [reader, statement] : tooBig) {
        try {
            reader->Execute(statement);
            ADD_FAILURE() << statement << ": a value beyond the limit was loaded";
        } catch (const DatabaseError& error) {
            EXPECT_NE(std::string(error.what()).find("zu groß"), std::string::npos) << error.what();
            EXPECT_EQ(error.cause(), DatabaseError::Cause::TooBig);
        }
    }
}

// Damage SQLite reports on a read, and its own check confirms, stops every write: the delete too,
// however sound the pages it would change are. So does a schema another program garbled while the
// file was open, on which the check itself fails.
TEST_F(SqliteConnectionTest, WritesNothingOnceAReadFoundTheFileDamaged) {
    for (const bool garbledSchema : {false, true}) {
        testing_support::TempDatabase damaged;
        damaged.AddRows(3);
        damaged.Exec(
            "create table notes (text); with recursive n(i) as (select 1 union all select i + 1 "
            "from n where i < 2000) insert into notes select printf('%.100c', 'x') from n");
        store::SqliteConnection reader;
        if (garbledSchema) {
            reader.Open(damaged.ConnectionText());
            damaged.Exec(
                "pragma writable_schema = on; update sqlite_schema set sql = 'create table notes ('"
                " where name = 'notes'; pragma schema_version = 99");
        } else {
            std::fstream file(damaged.Path(), std::ios::binary | std::ios::in | std::ios::out);
            file.seekp(30 * 4096 + 700);  // a page of notes
            for (int i = 0; i < 200; ++i) file.put(static_cast<char>(i * 41 + 3));
            file.close();
            reader.Open(damaged.ConnectionText());
        }
        try {
            auto notes = reader.Execute("select count(text) from notes");
            for (; !notes->Eof(); notes->MoveNext()) {
            }
            ADD_FAILURE() << "the damage was read without a word";
        } catch (const DatabaseError& error) {
            EXPECT_NE(std::string(error.what()).find("beschädigt"), std::string::npos)
                << error.what();
            EXPECT_EQ(error.cause(), DatabaseError::Cause::Damage);
        }
        EXPECT_THROW(reader.Execute(std::string(store::kDeleteAllStatement)), DatabaseError);
        EXPECT_THROW(reader.ExecuteWithText(store::kInsertStatement, "1,2,3,4,5,6"), DatabaseError);
        reader.Close();
        if (!garbledSchema) {
            EXPECT_EQ(damaged.RowCount(), 3);
        }
    }
}

// A read SQLite takes for damage, on a disk that then fails for good: the message says that the
// file could not be read, and neither calls it sound nor damaged.
TEST_F(SqliteConnectionTest, ADiskFailingForGoodIsNeitherCalledSoundNorDamaged) {
    connection.Close();
    database.AddRows(3);
    testing_support::FaultyFiles files;
    bool unreadable = false;
    for (int read = 1; read <= 4; ++read) {  // whichever read SQLite takes for damage
        store::SqliteConnection failing;
        failing.Open(database.ConnectionText());
        files.Arm(read, testing_support::FaultyFiles::Fault::ShortRead,
                  testing_support::FaultyFiles::kForGood);
        try {
            auto list = failing.Execute(std::string(store::kListStatement));
            for (; !list->Eof(); list->MoveNext()) {
            }
        } catch (const DatabaseError& error) {
            const std::string message = error.what();
            EXPECT_EQ(message.find("beschädigt"), std::string::npos) << read << ": " << message;
            unreadable |= message.find("konnte nicht gelesen werden") != std::string::npos;
        }
        files.Disarm();
    }
    EXPECT_TRUE(unreadable);
}

TEST(SqliteConnection, OpenNeverCreatesAFileAndNamesWhatIsWrong) {
    TempFolder folder;
    const std::string missing = (folder.Path() / "Lotto.mdb").string();
    store::SqliteConnection connection;
    try {
        connection.Open("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + missing);
        FAIL() << "opened a missing file";
    } catch (const DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("Datenbankfehler"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(missing));

    std::ofstream(missing) << "This is a text file, not a database. It is long enough to matter.";
    try {
        connection.Open("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + missing);
        FAIL() << "opened a text file";
    } catch (const DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("keine Datenbank"), std::string::npos)
            << error.what();
    }
    EXPECT_THROW(connection.Execute("select 1"), DatabaseError);  // still closed
}

}  // namespace
