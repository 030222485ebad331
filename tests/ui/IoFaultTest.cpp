// Every call SQLite makes to the file layer fails, in turn, while the program starts, a typed row
// is stored, a batch of 200 random rows is stored, and all rows are deleted: each time the rows
// stored before are all there, the command took effect wholly or not at all (a batch keeps the
// rows made before the failure, each once), the window says what the file holds (or that the
// count shown is the last known), the message never calls a failure a success nor what was
// stored a failure, never calls a file that failed to read damaged, its table missing or the
// file write-protected, the file is sound, and the next start and the next command work.
#include <gtest/gtest.h>

#include <functional>

#include "base/Errors.h"
#include "base/NumberText.h"
#include "rules/RandomDraw.h"
#include "rules/Stake.h"
#include "tests/support/FaultyFiles.h"
#include "tests/ui/ScriptedDialogs.h"

namespace {

using testing_support::FaultyFiles;
using testing_support::LoadedForm;
using Fault = FaultyFiles::Fault;

rules::ClockSeededRandom::ClockReading StandingClock() { return {5, 6}; }
constexpr std::uint64_t kSeed = 11;
constexpr int kRowsBefore = 13;
constexpr int kBatch = 200;

// The rows a batch of kBatch makes with the windows' generator.
std::vector<std::string> RowsOfTheBatch() {
    rules::ClockSeededRandom random(kSeed, StandingClock);
    random.Reseed();
    std::vector<std::string> rows;
    for (int i = 0; i < kBatch; ++i) rows.push_back(rules::RandomRow(random, true));
    return rows;
}

struct Command {
    const char* name;
    std::function<void(LoadedForm&)> run;
    // What another program does to the file first; the window has not looked since.
    std::function<void(LoadedForm&)> elsewhere;
    // The table once the command took effect wholly, from the rows before.
    std::function<std::vector<std::string>(std::vector<std::string>)> done;
    bool batch = false;  // may keep some of its rows
};

void Start(LoadedForm& window) {
    window.form->Form_Unload();
    window.loaded = false;
    window.form = std::make_unique<ui::frmMain>(
        window.dialogs, testing_support::EnvironmentFor(window.database.Folder(), window.hive));
    window.loaded = window.form->Form_Load();
}

void StoreTypedRow(LoadedForm& window) {
    for (auto& box : window.form->txtNewSeries) box.Text = "7";
    window.form->cmdAddSeries_Click();
}

void StoreBatch(LoadedForm& window) {
    ui::frmMain& form = *window.form;
    form.chkInDB.Value = 1;
    form.chkInDB_Click();
    form.txtSeriesCount.Text = std::to_string(kBatch);
    form.cmdGenerateRandom_Click();
}

// What the message boxes said of failures (not questions, not the odds); forgets them.
std::string TakeMessages(testing_support::ScriptedDialogs& dialogs) {
    std::string said;
    for (const auto& shown : dialogs.shown) {
        if (shown.icon == ui::MsgBoxIcon::Error || shown.icon == ui::MsgBoxIcon::Warning) {
            said += " " + shown.prompt;
        }
    }
    dialogs.shown.clear();
    return said;
}

struct FaultRow {
    const char* name;
    Fault fault;
    int lasting;       // calls of its kind that fail in a row
    const char* said;  // by every message about it
};

TEST(IoFaults, AtEveryCallLeaveRowsMessageAndWindowTrue) {
    const std::vector<std::string> batch = RowsOfTheBatch();
    const auto addsARow = [](LoadedForm& window) { window.database.AddRows(1); };
    const auto typedRowAdded = [](std::vector<std::string> rows) {
        rows.push_back("7,7,7,7,7,7");
        return rows;
    };
    const auto unchanged = [](std::vector<std::string> rows) { return rows; };
    const Command commands[] = {
        {"the start", Start, nullptr, unchanged},
        {"a typed row", StoreTypedRow, nullptr, typedRowAdded},
        {"a typed row after another program's", StoreTypedRow, addsARow, typedRowAdded},
        {"a batch of 200", StoreBatch, nullptr,
         [&](std::vector<std::string> rows) {
             rows.insert(rows.end(), batch.begin(), batch.end());
             return rows;
         },
         true},
        {"Löschen", [](LoadedForm& window) { window.form->cmdDelete_Click(); }, nullptr,
         [](const std::vector<std::string>&) { return std::vector<std::string>{}; }},
        {"the list after another program's row",
         [](LoadedForm& window) { window.form->cmdShowSeries_Click(); }, addsARow, unchanged},
        {"Chancen after another program's row",
         [](LoadedForm& window) { window.form->lblChances_Click(); }, addsARow, unchanged},
    };
    const FaultRow faults[] = {
        {"I/O", Fault::IoError, 1, ""},
        {"2 failed opens", Fault::OpenError, 2, ""},
        {"full disk", Fault::DiskFull, 1, "Der Datenträger ist voll"},
        {"short read", Fault::ShortRead, 1, ""},
        {"3 failed reads", Fault::ReadError, 3, "konnte nicht gelesen werden (Ein-/Ausgabefehler"},
    };
    FaultyFiles files;
    for (const Command& command : commands) {
        for (const FaultRow& fault : faults) {
            for (int call = 1;; ++call) {
                const std::string where = std::string(command.name) + ", " + fault.name +
                                          " at call " + std::to_string(call);
                LoadedForm window(kRowsBefore, ",",
                                  std::make_shared<rules::ClockSeededRandom>(kSeed, StandingClock));
                ASSERT_TRUE(window.loaded) << where;
                if (command.elsewhere) command.elsewhere(window);
                const std::vector<std::string> before = window.database.Rows();
                const std::vector<std::string> done = command.done(before);
                files.Arm(call, fault.fault, fault.lasting);
                std::string message;
                try {
                    command.run(window);
                } catch (const base::AppError& failure) {
                    message = failure.what();
                }
                if (!files.Disarm()) break;  // the command made fewer calls: all were tried
                message += TakeMessages(window.dialogs);

                const std::vector<std::string> rows = window.database.Rows();
                ASSERT_GE(rows.size(), std::min(before.size(), done.size())) << where;
                const bool whole = rows == done;
                const bool none = rows == before;
                std::size_t kept = 0;  // of the batch, in the order made, each once
                if (command.batch) {
                    kept = rows.size() - before.size();
                    EXPECT_TRUE(std::equal(before.begin(), before.end(), rows.begin())) << where;
                    EXPECT_TRUE(std::equal(rows.begin() + before.size(), rows.end(), batch.begin()))
                        << where;
                } else {
                    EXPECT_TRUE(whole || none) << where << ": " << rows.size() << " rows";
                }
                // The window says what the table holds, or that it shows the last count known.
                ui::frmMain& form = *window.form;
                if (window.loaded && form.mSeriesCount != static_cast<int>(rows.size())) {
                    EXPECT_NE(message.find("zuletzt bekannte Stand"), std::string::npos)
                        << where << ": " << form.mSeriesCount << " shown, " << rows.size()
                        << " rows; " << message;
                }
                if (window.loaded) {
                    EXPECT_EQ(form.txtCurrentSeriesNumber.Text, std::to_string(form.mSeriesCount))
                        << where;
                    const std::string stake =
                        "= " + base::NumberText(rules::StakeFor(form.mSeriesCount), ",") + " Euro";
                    const bool emptiedByDelete =
                        form.mSeriesCount == 0 && form.lblEuroUsed.Text == "";
                    EXPECT_TRUE(form.lblEuroUsed.Text == stake || emptiedByDelete)
                        << where << ": " << form.lblEuroUsed.Text;
                }
                // Never success for a failure, never a failure for what was stored.
                if (message.empty()) {
                    EXPECT_TRUE(whole) << where << ": no message, yet " << rows.size() << " rows";
                } else if (none) {
                    EXPECT_EQ(message.find("trotzdem"), std::string::npos)
                        << where << ": " << message;
                } else if (whole) {
                    EXPECT_NE(message.find("trotzdem"), std::string::npos)
                        << where << ": " << message;
                } else {
                    EXPECT_NE(message.find("Gespeichert wurden " + std::to_string(kept) + " der"),
                              std::string::npos)
                        << where << ": " << message;
                }
                // A failing disk is what the message says, and only that.
                if (!message.empty()) {
                    EXPECT_NE(message.find(fault.said), std::string::npos)
                        << where << ": " << message;
                }
                // Nor what SQLite says without the file and the reason.
                for (const char* untrue :
                     {" ist beschädigt", "fehlt in der Datenbank", "schreibgeschützt", "ersetzt",
                      "Die Datenbankdatei kann nicht", "gelesen oder geschrieben"}) {
                    EXPECT_EQ(message.find(untrue), std::string::npos) << where << ": " << message;
                }
                // One failed call does not leave the file open for reading only.
                if (fault.lasting == 1) {
                    EXPECT_EQ(message.find("nur zum Lesen"), std::string::npos) << where;
                }
                EXPECT_EQ(window.database.IntegrityCheck(), "ok") << where;
                // The program goes on: after a failure the same command works now, after none
                // storing a row does, and the next start works.
                try {
                    (window.loaded && message.empty() ? StoreTypedRow : command.run)(window);
                } catch (const base::AppError& failure) {
                    ADD_FAILURE() << where << ", then again: " << failure.what();
                }
                EXPECT_EQ(TakeMessages(window.dialogs), "") << where << ", then again";
                EXPECT_EQ(window.form->mSeriesCount, static_cast<int>(window.database.RowCount()))
                    << where;
                window.form->Form_Unload();
                testing_support::ScriptedDialogs dialogs;
                ui::frmMain next(dialogs, testing_support::EnvironmentFor(window.database.Folder(),
                                                                          window.hive));
                EXPECT_TRUE(next.Form_Load()) << where;
                EXPECT_EQ(next.mSeriesCount, static_cast<int>(window.database.RowCount())) << where;
            }
        }
    }
}

}  // namespace
