#include <gtest/gtest.h>

#include "base/Errors.h"
#include "tests/support/FixedRandom.h"
#include "tests/ui/ScriptedDialogs.h"

namespace {

using testing_support::FixedRandom;
using testing_support::LoadedForm;
using ui::ControlId;
using ui::MousePointer;

// A window in store mode whose generator yields `values` in turn.
struct StoreModeWindow {
    explicit StoreModeWindow(const char* count, int rows = 0, std::vector<double> values = {0.5})
        : random(std::make_shared<FixedRandom>(std::move(values))), window(rows, ",", random) {
        form().chkInDB.Value = 1;
        form().chkInDB_Click();
        form().txtSeriesCount.Text = count;
    }
    ui::frmMain& form() { return *window.form; }

    std::shared_ptr<FixedRandom> random;
    LoadedForm window;
};

TEST(GenerateSeries, StoresAsManyRowsAsTheConvertedCountSays) {
    struct Case {
        const char* count;
        int stored;
        const char* message;
        const char* stake;
    };
    const Case cases[] = {
        {"5", 5, "5 Zahlenreihe(n) hinzugefügt.", "= 4,75 Euro"},
        {"007", 7, "7 Zahlenreihe(n) hinzugefügt.", "= 6,25 Euro"},
        {" 2,5 ", 2, "2 Zahlenreihe(n) hinzugefügt.", "= 2,5 Euro"},
        {"0", 0, "0 Zahlenreihe(n) hinzugefügt.", "= 1 Euro"},
        {"-3", 0, "-3 Zahlenreihe(n) hinzugefügt.", "= 1 Euro"},
    };
    for (const Case& c : cases) {
        StoreModeWindow store(c.count, 1);
        store.form().txtNewSeries[0].Text = "3";  // ignored in store mode
        store.form().cmdGenerateRandom_Click();
        EXPECT_EQ(store.window.database.RowCount(), 1 + c.stored) << c.count;
        EXPECT_EQ(store.form().txtCurrentSeriesNumber.Text, std::to_string(1 + c.stored));
        EXPECT_EQ(store.form().txtOutput.Text, c.message);
        EXPECT_EQ(store.form().lblEuroUsed.Text, c.stake) << c.count;
        EXPECT_EQ(store.random->reseeds, 1) << "one reseed per batch";
        EXPECT_EQ(store.random->consumed, 6u * c.stored);
        EXPECT_EQ(store.window.dialogs.pointers,
                  (std::vector<MousePointer>{MousePointer::Hourglass, MousePointer::Default}));
    }
}

TEST(GenerateSeries, StoresOnlyUnpopularNumbersWhenAsked) {
    StoreModeWindow filtered("3", 0, {0.1, 0.9, 0.3, 0.7, 0.5, 0.2, 0.8});
    filtered.form().cmdGenerateRandom_Click();
    const std::vector<std::string> rows = filtered.window.database.Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], "13,16,22,34,40,47");
    for (const std::string& row : rows) {
        for (std::int16_t number = 1; number <= 49; ++number) {
            if (!rules::IsPopular(number)) continue;
            EXPECT_EQ(("," + row + ",").find("," + std::to_string(number) + ","), std::string::npos)
                << row;
        }
    }

    StoreModeWindow unfiltered("1", 0, {0.1, 0.9, 0.3, 0.7, 0.5, 0.2, 0.8});
    unfiltered.form().chkUnpopularNums.Value = 0;
    unfiltered.form().cmdGenerateRandom_Click();
    EXPECT_EQ(unfiltered.window.database.Rows(), std::vector<std::string>{"5,10,16,25,35,45"});
}

TEST(GenerateSeries, WarnsAboutACountThatIsNotANumber) {
    for (const char* count : {"", "abc", "5x", " "}) {
        StoreModeWindow store(count, 2);
        store.form().txtOutput.Text = "old";
        store.form().cmdGenerateRandom_Click();
        ASSERT_EQ(store.window.dialogs.shown.size(), 1u) << count;
        EXPECT_EQ(store.window.dialogs.shown[0].prompt,
                  "Bitte erst gewünschte Zahl von Ziehungen eingeben.");
        EXPECT_EQ(store.window.dialogs.shown[0].icon, ui::MsgBoxIcon::Warning);
        EXPECT_EQ(store.form().ActiveControl, ControlId::txtSeriesCount);
        EXPECT_TRUE(store.window.dialogs.pointers.empty());
        EXPECT_EQ(store.random->reseeds, 0);
        EXPECT_EQ(store.form().txtOutput.Text, "old");
        EXPECT_EQ(store.window.database.RowCount(), 2);
    }
}

TEST(GenerateSeries, RefusesACountBeyondSixteenBits) {
    StoreModeWindow store("99999", 2);
    EXPECT_THROW(store.form().cmdGenerateRandom_Click(), base::OverflowError);
    EXPECT_EQ(store.window.database.RowCount(), 2);
    EXPECT_EQ(store.form().txtCurrentSeriesNumber.Text, "2");
}

TEST(GenerateSeries, KeepsTheRowsStoredBeforeAFailureAndTheCountInStep) {
    struct Case {
        int rows;
        const char* change;  // before the batch
        int rowsAfter;
        const char* stake;
        const char* said;
    };
    const Case cases[] = {
        {2,  // the sixth row is refused
         "drop table tblLotterySeries; create table tblLotterySeries (LotterySeriesID INTEGER "
         "PRIMARY KEY AUTOINCREMENT, BallNumberList TEXT NOT NULL CHECK (LotterySeriesID < 6));"
         "insert into tblLotterySeries (BallNumberList) values ('1'), ('2')",
         5, "= 4 Euro", "Gespeichert wurden 3 der 10 Zahlenreihen."},
        {32765, "", 32767, "= 25258 Euro", "höchstens 32767 Zahlenreihen"},  // the table fills up
    };
    for (const Case& c : cases) {
        StoreModeWindow store("10", c.rows);
        store.window.database.Exec(c.change);
        try {
            store.form().cmdGenerateRandom_Click();
            ADD_FAILURE() << c.said;
        } catch (const base::DatabaseError& failure) {
            EXPECT_NE(std::string(failure.what()).find(c.said), std::string::npos)
                << failure.what();
        }
        EXPECT_EQ(store.window.database.RowCount(), c.rowsAfter);
        EXPECT_EQ(store.form().mSeriesCount, c.rowsAfter);
        EXPECT_EQ(store.form().txtCurrentSeriesNumber.Text, std::to_string(c.rowsAfter));
        EXPECT_EQ(store.form().lblEuroUsed.Text, c.stake);
        EXPECT_FALSE(store.form().mConnection->InTransaction());
    }
}

struct SimulationCase {
    const char* firstBox;
    int draws;
};

TEST(cmdGenerateRandom_Click, SimulatesAsManyDrawsAsTheFirstBoxSays) {
    const SimulationCase cases[] = {{"3", 3}, {"", 1}, {"x", 1}, {"1,4", 1}, {"0", 0}, {"-2", 0}};
    for (const SimulationCase& c : cases) {
        auto random = std::make_shared<FixedRandom>(std::vector<double>{0.5});
        LoadedForm window(13, ",", random);
        ui::frmMain& form = *window.form;
        form.txtNewSeries[0].Text = c.firstBox;
        form.txtDrawnNumberList.Text = "typed";
        form.txtAdditionalNumber.Text = "typed";
        form.cmdGenerateRandom_Click();
        EXPECT_EQ(form.txtNoDraws.Text, std::to_string(c.draws)) << c.firstBox;
        EXPECT_EQ(form.txtSpentAmount.Text, c.draws == 3 ? "30,75" : c.draws ? "10,25" : "0");
        EXPECT_EQ(random->reseeds, c.draws);
        EXPECT_EQ(window.dialogs.pointers.size(), 2u * c.draws);
        EXPECT_EQ(form.txtNewSeries[0].Text, c.firstBox);  // left in place
        EXPECT_EQ(form.txtDrawnNumberList.Text, c.draws ? "23,24,25,26,27,28" : "typed");
        EXPECT_EQ(form.txtAdditionalNumber.Text, c.draws ? "22" : "typed");
        EXPECT_EQ(window.database.RowCount(), 13);
    }
}

TEST(cmdGenerateRandom_Click, NeverFiltersASimulatedDraw) {
    auto random = std::make_shared<FixedRandom>(std::vector<double>{0.5});
    LoadedForm window(0, ",", random);
    ASSERT_EQ(window.form->chkUnpopularNums.Value, 1);  // ticked, greyed
    window.form->cmdGenerateRandom_Click();
    EXPECT_EQ(window.form->txtDrawnNumberList.Text, "23,24,25,26,27,28");
    EXPECT_EQ(window.form->txtOutput.Text, "Keine Zahlenreihen gefunden.");
}

TEST(cmdGenerateRandom_Click, RefusesARepeatCountBeyondSixteenBits) {
    LoadedForm window(1);
    window.form->txtNewSeries[0].Text = "4e4";
    EXPECT_THROW(window.form->cmdGenerateRandom_Click(), base::OverflowError);
    EXPECT_EQ(window.form->txtNoDraws.Text, "0");
}

}  // namespace
