// Every call SQLite makes to the file layer fails once, in turn, while a typed row is stored, a
// batch of 200 random rows is stored, and all rows are deleted: each time the rows stored
// before are all there, the command took effect wholly or not at all (a batch keeps the rows
// made before the failure, each once), the window says what the file holds, the message never
// calls a failure a success nor what was stored a failure, the file is sound, and the next
// start and the next command work.
#include <gtest/gtest.h>

#include <functional>

#include "rules/Errors.h"
#include "rules/NumberText.h"
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
    std::function<void(ui::frmMain&)> run;
    // The table once the command took effect wholly, from the rows before.
    std::function<std::vector<std::string>(std::vector<std::string>)> done;
    bool batch = false;  // may keep some of its rows
};

void StoreTypedRow(ui::frmMain& form) {
    for (auto& box : form.txtNewSeries) box.Text = "7";
    form.cmdAddSeries_Click();
}

void StoreBatch(ui::frmMain& form) {
    form.chkInDB.Value = 1;
    form.chkInDB_Click();
    form.txtSeriesCount.Text = std::to_string(kBatch);
    form.cmdGenerateRandom_Click();
}

TEST(IoFaults, AtEveryCallLeaveRowsMessageAndWindowTrue) {
    const std::vector<std::string> batch = RowsOfTheBatch();
    const Command commands[] = {
        {"a typed row", StoreTypedRow,
         [](std::vector<std::string> rows) {
             rows.push_back("7,7,7,7,7,7");
             return rows;
         }},
        {"a batch of 200", StoreBatch,
         [&](std::vector<std::string> rows) {
             rows.insert(rows.end(), batch.begin(), batch.end());
             return rows;
         },
         true},
        {"Löschen", [](ui::frmMain& form) { form.cmdDelete_Click(); },
         [](const std::vector<std::string>&) { return std::vector<std::string>{}; }},
    };
    FaultyFiles files;
    for (const Command& command : commands) {
        for (Fault fault : {Fault::IoError, Fault::DiskFull, Fault::ShortRead}) {
            for (int call = 1;; ++call) {
                const std::string where = std::string(command.name) +
                                          (fault == Fault::DiskFull    ? ", full disk"
                                           : fault == Fault::ShortRead ? ", short read"
                                                                       : ", I/O") +
                                          " at call " + std::to_string(call);
                LoadedForm window(kRowsBefore, ",",
                                  std::make_shared<rules::ClockSeededRandom>(kSeed, StandingClock));
                ASSERT_TRUE(window.loaded) << where;
                const std::vector<std::string> before = window.database.Rows();
                const std::vector<std::string> done = command.done(before);
                files.Arm(call, fault);
                std::string message;
                try {
                    command.run(*window.form);
                } catch (const rules::AppError& failure) {
                    message = failure.what();
                }
                if (!files.Disarm()) break;  // the command made fewer calls: all were tried

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
                // The window says what the table holds.
                ui::frmMain& form = *window.form;
                EXPECT_EQ(form.mSeriesCount, static_cast<int>(rows.size())) << where;
                EXPECT_EQ(form.txtCurrentSeriesNumber.Text, std::to_string(rows.size())) << where;
                // Never success for a failure, never a failure for what was stored.
                if (message.empty()) {
                    EXPECT_TRUE(whole) << where << ": no message, yet " << rows.size() << " rows";
                } else if (whole) {
                    EXPECT_NE(message.find("trotzdem"), std::string::npos)
                        << where << ": " << message;
                } else if (!none) {
                    EXPECT_NE(message.find("Gespeichert wurden " + std::to_string(kept) + " der"),
                              std::string::npos)
                        << where << ": " << message;
                } else {
                    EXPECT_EQ(message.find("trotzdem"), std::string::npos)
                        << where << ": " << message;
                }
                EXPECT_EQ(window.database.IntegrityCheck(), "ok") << where;
                // The program goes on: the same command works now, and so does the next start.
                try {
                    command.run(form);
                } catch (const rules::AppError& failure) {
                    ADD_FAILURE() << where << ", then again: " << failure.what();
                }
                EXPECT_EQ(form.mSeriesCount, static_cast<int>(window.database.RowCount())) << where;
                form.Form_Unload();
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
