// What the program does when the disk, the database file or another program gets in its way:
// a clear German message, nothing lost, the count in step with the table, and it goes on.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "base/Errors.h"
#include "rules/Stake.h"
#include "store/sqlite/SqliteConnection.h"
#include "tests/support/CraftedFiles.h"
#include "tests/support/FixedRandom.h"
#include "tests/support/ForwardingConnection.h"
#include "tests/ui/ScriptedDialogs.h"

namespace {

using testing_support::LoadedForm;

// Makes a file or folder unwritable even for root (immutable flag), or by mode bits where the
// flag cannot be set; undone when the guard goes.
class Unwritable {
  public:
    explicit Unwritable(std::filesystem::path path) : mPath(std::move(path)) {
        mImmutable = SetImmutable(true);
        if (!mImmutable) {
            mMode = std::filesystem::status(mPath).permissions();
            std::filesystem::permissions(mPath,
                                         std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_write |
                                             std::filesystem::perms::others_write,
                                         std::filesystem::perm_options::remove);
        }
    }
    ~Unwritable() {
        if (mImmutable) {
            SetImmutable(false);
        } else {
            std::filesystem::permissions(mPath, mMode);
        }
    }

  private:
    bool SetImmutable(bool on) {
        const int fd = open(mPath.c_str(), O_RDONLY | O_NONBLOCK);
        if (fd < 0) return false;
        int flags = 0;
        bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        close(fd);
        return done;
    }

    std::filesystem::path mPath;
    bool mImmutable = false;
    std::filesystem::perms mMode{};
};

void TypeRow(ui::frmMain& form, const char* number) {
    for (auto& box : form.txtNewSeries) box.Text = number;
}

void ExpectFailureMentioning(const std::function<void()>& action, const std::string& words) {
    try {
        action();
        ADD_FAILURE() << "no failure";
    } catch (const base::DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find(words), std::string::npos) << error.what();
    }
}

TEST(Faults, ADatabaseMadeReadOnlyRefusesEveryChangeAndTheProgramGoesOn) {
    LoadedForm window(3);
    ui::frmMain& form = *window.form;
    {
        Unwritable folder(window.database.Folder());
        Unwritable file(window.database.Path());
        // Started now, the program says at once why it can only read.
        testing_support::ScriptedDialogs dialogs;
        ui::frmMain started(dialogs,
                            testing_support::EnvironmentFor(window.database.Folder(), window.hive));
        ASSERT_TRUE(started.Form_Load());
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].prompt,
                  "Die Datenbankdatei „" + window.database.Path() +
                      "“ ließ sich nur zum Lesen öffnen, nicht zum Schreiben (keine Berechtigung). "
                      "Zahlenreihen lassen sich auswerten und auflisten, aber nicht speichern oder "
                      "löschen. Bitte das beheben und das Programm neu starten.");
        started.Form_Unload();
        TypeRow(form, "1");
        // Why the journal could not be made, not why SQLite's second try failed.
        ExpectFailureMentioning([&] { form.AddSeries(); }, "(keine Berechtigung)");
        EXPECT_EQ(form.txtNewSeries[0].Text, "1");

        form.chkInDB.Value = 1;
        form.chkInDB_Click();
        form.txtSeriesCount.Text = "50";
        EXPECT_THROW(form.cmdGenerateRandom_Click(), base::DatabaseError);

        EXPECT_THROW(form.cmdDelete_Click(), base::DatabaseError);
        EXPECT_EQ(form.mSeriesCount, 3);
        EXPECT_EQ(form.txtCurrentSeriesNumber.Text, "3");
        form.cmdShowSeries_Click();  // reading still works
        EXPECT_EQ(std::count(form.txtOutput.Text.begin(), form.txtOutput.Text.end(), '\n'), 5);
    }
    EXPECT_EQ(window.database.RowCount(), 3);
    form.AddSeries();
    EXPECT_EQ(window.database.RowCount(), 4);
    EXPECT_EQ(form.txtCurrentSeriesNumber.Text, "4");
}

TEST(Faults, ALockedDatabaseWaitsABoundedTimeThenFailsAndWorksOnceFree) {
    LoadedForm window(3);
    ui::frmMain& form = *window.form;
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(window.database.Path().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);

    TypeRow(form, "2");
    const auto start = std::chrono::steady_clock::now();
    ExpectFailureMentioning([&] { form.AddSeries(); }, "gesperrt");
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(1500));
    EXPECT_LE(waited, std::chrono::seconds(10));
    EXPECT_EQ(form.txtCurrentSeriesNumber.Text, "3");

    sqlite3_exec(other, "rollback", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    form.AddSeries();
    EXPECT_EQ(window.database.RowCount(), 4);
    EXPECT_EQ(form.mSeriesCount, 4);
}

TEST(Faults, AFullDiskInTheMiddleOfABatchKeepsTheRowsBefore) {
    LoadedForm window(10);
    ui::frmMain& form = *window.form;
    // A database that may grow by only a few pages stands for a disk that fills up.
    form.mConnection->Execute("pragma max_page_count = 40");
    form.chkInDB.Value = 1;
    form.chkInDB_Click();
    form.txtSeriesCount.Text = "32767";
    ExpectFailureMentioning([&] { form.cmdGenerateRandom_Click(); }, "Datenträger ist voll");
    const int stored = window.database.RowCount();
    EXPECT_GT(stored, 10);
    EXPECT_LT(stored, 32767);
    EXPECT_EQ(form.mSeriesCount, stored);
    EXPECT_EQ(form.txtCurrentSeriesNumber.Text, std::to_string(stored));
    EXPECT_FALSE(form.mConnection->InTransaction());
}

TEST(Faults, AProgramKilledInTheMiddleOfABatchLeavesACountableSoundFile) {
    LoadedForm window(7);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        testing_support::ScriptedDialogs dialogs;
        ui::frmMain form(dialogs,
                         testing_support::EnvironmentFor(window.database.Folder(), window.hive));
        form.Form_Load();
        form.chkInDB.Value = 1;
        form.chkInDB_Click();
        form.txtSeriesCount.Text = "3000";
        try {
            while (true) {  // until killed
                if (form.mSeriesCount > 29000) form.cmdDelete_Click();
                form.cmdGenerateRandom_Click();
            }
        } catch (...) {
        }
        _exit(1);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    testing_support::ScriptedDialogs dialogs;
    ui::frmMain reopened(dialogs,
                         testing_support::EnvironmentFor(window.database.Folder(), window.hive));
    ASSERT_TRUE(reopened.Form_Load());
    EXPECT_EQ(reopened.mSeriesCount, window.database.RowCount());
    const int rows = window.database.RowCount();
    EXPECT_TRUE(rows % 3000 == 0 || rows % 3000 == 7) << rows << ": a batch was cut in two";
    EXPECT_EQ(window.database.IntegrityCheck(), "ok");
}

TEST(Faults, ADatabaseDeletedOrReplacedWhileRunningIsReported) {
    for (bool replace : {false, true}) {
        LoadedForm window(3);
        ui::frmMain& form = *window.form;
        std::filesystem::remove(window.database.Path());
        if (replace) testing_support::TempDatabase::CreateAt(window.database.Path());
        TypeRow(form, "3");
        ExpectFailureMentioning([&] { form.AddSeries(); }, "gelöscht oder ersetzt");
        form.txtDrawnNumberList.Text = "1,2,3";
        form.txtAdditionalNumber.Text = "4";
        ExpectFailureMentioning([&] { form.cmdEvaluate_Click(); }, "gelöscht oder ersetzt");
        EXPECT_EQ(form.txtCurrentSeriesNumber.Text, "3");
    }
}

TEST(TypedText, IsStoredListedAndEvaluatedExactlyAsTyped) {
    const std::vector<std::string> texts = {
        "'", "''", "\"", "\\", "%", "_", ";", "ä", "ß", "€", "\t", "\x01", "');drop table x",
    };
    LoadedForm window;
    ui::frmMain& form = *window.form;
    std::vector<std::string> rows;
    for (const std::string& text : texts) {
        for (auto& box : form.txtNewSeries) box.Text = text;
        form.txtNewSeries[0].Text = text + "1";
        form.AddSeries();
        rows.push_back(text + "1," + text + "," + text + "," + text + "," + text + "," + text);
    }
    EXPECT_EQ(window.database.Rows(), rows);

    form.cmdShowSeries_Click();
    for (const std::string& row : rows) {
        EXPECT_NE(form.txtOutput.Text.find("\t\t" + row + "\r\n"), std::string::npos) << row;
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        form.txtDrawnNumberList.Text = texts[i] + "1," + texts[i] + "," + texts[i];
        form.txtAdditionalNumber.Text = "y";
        form.cmdEvaluate_Click();
        // Only the row typed from this very text holds its entries.
        std::int16_t box = static_cast<std::int16_t>(i + 1);
        std::int16_t sheet = 0;
        rules::GetSheetAndBox(box, sheet);
        EXPECT_EQ(form.txtOutput.Text, "Blatt " + std::to_string(sheet) + ", Kästchen " +
                                           std::to_string(box) +
                                           ": 3 Richtige\r\n================================\r\n"
                                           "Gewonnene Summe (ca.): 10 EUR\r\n")
            << texts[i];
    }
}

TEST(Faults, RowsAddedByAnotherProgramAreCountedBeforeTheNextCommand) {
    LoadedForm window(13);
    ui::frmMain& form = *window.form;
    window.database.AddRows(5);  // another program
    form.cmdShowSeries_Click();
    EXPECT_EQ(form.txtCurrentSeriesNumber.Text, "18");
    EXPECT_EQ(form.lblEuroUsed.Text, "= 14 Euro");  // the stake follows the count
    TypeRow(form, "4");
    form.AddSeries();
    EXPECT_EQ(form.txtCurrentSeriesNumber.Text, "19");
    EXPECT_EQ(form.lblEuroUsed.Text, "= 14,75 Euro");

    // Emptied by another program: the rows' winners go with them. The generator draws
    // 23,24,25,26,27,28 each time, the 23rd row.
    LoadedForm emptied(23, ",", std::make_shared<testing_support::FixedRandom>(std::vector{0.5}));
    emptied.form->txtNewSeries[0].Text = "5";
    emptied.form->cmdGenerateRandom_Click();
    const std::string won = emptied.form->txtWonAmount.Text;
    EXPECT_NE(won, "0");
    emptied.database.Exec("delete from tblLotterySeries");
    emptied.form->cmdGenerateRandom_Click();
    EXPECT_EQ(emptied.form->txtWonAmount.Text, won);
    EXPECT_EQ(emptied.form->txtCurrentSeriesNumber.Text, "0");

    LoadedForm full(32760);
    full.database.AddRows(7);
    TypeRow(*full.form, "5");
    EXPECT_THROW(full.form->AddSeries(), base::OverflowError);
    EXPECT_EQ(full.database.RowCount(), 32767);
    EXPECT_EQ(full.form->txtCurrentSeriesNumber.Text, "32767");
}

// Damage that another program does while this one runs, found when a command reads the rows:
// from then on nothing is written to the file, through the typed row's insert, the batch's
// prepared one or the delete, and the message says why.
TEST(Faults, AFileFoundDamagedIsWrittenToNoMore) {
    LoadedForm window(4987);
    {
        std::fstream file(window.database.Path(), std::ios::binary | std::ios::in | std::ios::out);
        file.seekp(20 * 4096 + 1500);
        for (int i = 0; i < 300; ++i) file.put(static_cast<char>(i * 37 + 11));
        file.seekp(27);  // the file change counter: the program reads its pages anew
        file.put('\x7f');
    }
    ui::frmMain& form = *window.form;
    ExpectFailureMentioning([&] { form.cmdShowSeries_Click(); }, "beschädigt");
    const std::string damaged = testing_support::FileBytes(window.database.Path());
    TypeRow(form, "7");
    ExpectFailureMentioning([&] { form.AddSeries(); }, "schreibt das Programm nicht mehr hinein");
    form.chkInDB.Value = 1;
    form.chkInDB_Click();
    form.txtSeriesCount.Text = "5";
    ExpectFailureMentioning([&] { form.cmdGenerateRandom_Click(); }, "beschädigt");
    ExpectFailureMentioning([&] { form.cmdDelete_Click(); }, "beschädigt");
    EXPECT_TRUE(testing_support::FileBytes(window.database.Path()) == damaged)
        << "the damaged file was written";
}

// A connection at whose n-th insert something happens: the file disappears, another program
// writes, the disk fills up.
class AtNthInsert final : public testing_support::ForwardingConnection {
  public:
    AtNthInsert(int insertsBefore, std::function<void(store::Connection&)> happening)
        : mInsertsLeft(insertsBefore), mHappening(std::move(happening)) {}

  private:
    void BeforeStatement(std::string_view statement) override {
        if (statement.starts_with("insert") && --mInsertsLeft == 0) mHappening(*this);
    }

    int mInsertsLeft;
    std::function<void(store::Connection&)> mHappening;
};

// A window on three stored rows whose connection is `connection`.
struct WindowOnThreeRows {
    explicit WindowOnThreeRows(std::function<std::unique_ptr<store::Connection>()> connection)
        : hive(store::BuiltinHive::WithOwnStore()) {
        database.AddRows(3);
        ui::FormEnvironment environment = testing_support::EnvironmentFor(database.Folder(), hive);
        environment.createConnection = std::move(connection);
        form = std::make_unique<ui::frmMain>(dialogs, std::move(environment));
    }

    testing_support::TempDatabase database;
    store::BuiltinHive hive;
    testing_support::ScriptedDialogs dialogs;
    std::unique_ptr<ui::frmMain> form;
};

void StoreTenRandomRows(ui::frmMain& form) {
    form.chkInDB.Value = 1;
    form.chkInDB_Click();
    form.txtSeriesCount.Text = "10";
    form.cmdGenerateRandom_Click();
}

TEST(Faults, ADatabaseDeletedDuringABatchLeavesTheCountAsItWas) {
    std::string path;
    WindowOnThreeRows window([&path] {
        return std::make_unique<AtNthInsert>(
            5, [&path](store::Connection&) { std::filesystem::remove(path); });
    });
    path = window.database.Path();
    ui::frmMain& form = *window.form;
    ASSERT_TRUE(form.Form_Load());
    ExpectFailureMentioning([&] { StoreTenRandomRows(form); }, "gelöscht oder ersetzt");
    EXPECT_FALSE(form.mConnection->InTransaction());
    EXPECT_EQ(form.mSeriesCount, 3);
    EXPECT_EQ(form.txtCurrentSeriesNumber.Text, "3");
}

// SQLite drops the batch's transaction at the fourth row, and another program adds a row
// before the batch looks what the file holds: that row is not the batch's, and the three rows
// made are stored once more.
TEST(Faults, ARowAnotherProgramAddsAfterADroppedBatchIsNotTakenForTheBatchs) {
    std::string path;
    WindowOnThreeRows window([&path] {
        return std::make_unique<AtNthInsert>(4, [&path](store::Connection& connection) {
            connection.RollbackTrans();
            sqlite3* other = nullptr;
            sqlite3_open(path.c_str(), &other);
            sqlite3_exec(other,
                         "insert into tblLotterySeries (BallNumberList) values ('1,2,3,4,5,6')",
                         nullptr, nullptr, nullptr);
            sqlite3_close(other);
            throw base::DatabaseError("Datenbankfehler: Der Datenträger ist voll.");
        });
    });
    path = window.database.Path();
    ui::frmMain& form = *window.form;
    ASSERT_TRUE(form.Form_Load());
    ExpectFailureMentioning([&] { StoreTenRandomRows(form); }, "Gespeichert wurden 3 der 10");
    const std::vector<std::string> rows = window.database.Rows();
    ASSERT_EQ(rows.size(), 3u + 1u + 3u);
    EXPECT_EQ(rows[3], "1,2,3,4,5,6");
    EXPECT_EQ(form.mSeriesCount, 7);
    EXPECT_EQ(form.txtOutput.Text, "3 Zahlenreihe(n) hinzugefügt.");
}

// SQLite reports a failure once the change has reached the file, as an unlock that fails does;
// with countUnread, the count cannot be read after it.
class FailsAfterTheChange final : public testing_support::ForwardingConnection {
  public:
    explicit FailsAfterTheChange(bool countUnread) : mCountUnread(countUnread) {}

    void ExecuteWithText(std::string_view statement, std::string_view text) override {
        ForwardingConnection::ExecuteWithText(statement, text);
        if (!InTransaction()) Fail();
    }
    void CommitTrans() override {
        ForwardingConnection::CommitTrans();
        Fail();
    }

  private:
    void BeforeStatement(std::string_view statement) override {
        if (mFailed && mCountUnread && statement.starts_with("select count")) Fail();
    }
    [[noreturn]] void Fail() {
        mFailed = true;
        throw base::DatabaseError("Datenbankfehler: Ein-/Ausgabefehler.");
    }

    bool mCountUnread;
    bool mFailed = false;
};

// What reached the file shows as made, whatever SQLite reported after it: the boxes are free for
// the next row, the count and the stake are the table's, and the message says it was made.
TEST(Faults, AChangeThatReachedTheFileDespiteAFailureShowsAsMade) {
    struct Case {
        const char* name;
        bool countUnread;
        std::function<void(ui::frmMain&)> command;
        int rows;           // in the file, and shown
        const char* stake;  // shown
        const char* said;   // by the message
        const char* heard;  // the one announcement, where the command makes one before the message
    };
    const auto batchOf = [](const char* count) {
        return [count](ui::frmMain& form) {
            form.chkInDB.Value = 1;
            form.chkInDB_Click();
            form.txtSeriesCount.Text = count;
            form.cmdGenerateRandom_Click();
        };
    };
    const Case cases[] = {
        {"a typed row", false,
         [](ui::frmMain& form) {
             TypeRow(form, "8");
             form.cmdAddSeries_Click();
         },
         4, "= 3,25 Euro", "Die Zahlenreihe wurde trotzdem gespeichert.",
         "Anzahl Kästchen: 4, Einsatz 3,25 Euro."},
        {"a batch of one", false, batchOf("1"), 4, "= 3,25 Euro",
         "Die Zahlenreihe wurde trotzdem gespeichert.", nullptr},
        // The last count known includes the rows the batch kept.
        {"a batch of ten, the count unread after it", true, batchOf("10"), 13, "= 10,25 Euro",
         "Alle 10 Zahlenreihen wurden trotzdem gespeichert. Die Anzahl Kästchen (13) ist der "
         "zuletzt bekannte Stand",
         nullptr},
    };
    for (const Case& c : cases) {
        WindowOnThreeRows window(
            [&c] { return std::make_unique<FailsAfterTheChange>(c.countUnread); });
        ui::frmMain& form = *window.form;
        ASSERT_TRUE(form.Form_Load()) << c.name;
        ExpectFailureMentioning([&] { c.command(form); }, c.said);
        EXPECT_EQ(window.database.RowCount(), c.rows) << c.name;
        EXPECT_EQ(form.txtCurrentSeriesNumber.Text, std::to_string(c.rows)) << c.name;
        EXPECT_EQ(form.lblEuroUsed.Text, c.stake) << c.name;
        for (const auto& box : form.txtNewSeries) EXPECT_EQ(box.Text, "") << c.name;
        if (c.heard != nullptr) {
            EXPECT_EQ(window.dialogs.announced, std::vector<std::string>{c.heard}) << c.name;
        }
    }
}

// Not even running out of memory in the middle of a batch leaves the count apart from the rows
// kept.
TEST(Faults, AFailureNoMessageDescribesLeavesTheCountInStep) {
    class OutOfMemoryAtTheFifthRow final : public testing_support::ForwardingConnection {
        void BeforeStatement(std::string_view statement) override {
            if (statement.starts_with("insert") && ++mInserts == 5) throw std::bad_alloc();
        }
        int mInserts = 0;
    };
    WindowOnThreeRows window([] { return std::make_unique<OutOfMemoryAtTheFifthRow>(); });
    ui::frmMain& form = *window.form;
    ASSERT_TRUE(form.Form_Load());
    form.chkInDB.Value = 1;
    form.chkInDB_Click();
    form.txtSeriesCount.Text = "10";
    EXPECT_THROW(form.cmdGenerateRandom_Click(), std::bad_alloc);
    EXPECT_EQ(window.database.RowCount(), 7);
    EXPECT_EQ(form.txtCurrentSeriesNumber.Text, "7");
    EXPECT_EQ(form.lblEuroUsed.Text, "= 5,5 Euro");
}

}  // namespace
