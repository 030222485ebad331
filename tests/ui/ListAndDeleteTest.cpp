#include <gtest/gtest.h>

#include "base/Errors.h"
#include "rules/Assumptions.h"
#include "rules/Odds.h"
#include "tests/ui/ScriptedDialogs.h"

namespace {

using testing_support::LoadedForm;
using ui::MousePointer;
using ui::MsgBoxResult;

const std::string kHeading =
    "Blatt\tKästchen\tZahlenreihe\r\n-----------------------------------------\r\n";

TEST(cmdShowSeries_Click, ListsEveryRowWithItsSheetAndBox) {
    LoadedForm empty;
    empty.form->txtOutput.Text = "old";
    empty.form->cmdShowSeries_Click();
    EXPECT_EQ(empty.form->txtOutput.Text, "Keine Zahlenreihen gefunden.");
    EXPECT_EQ(empty.dialogs.pointers,
              (std::vector<MousePointer>{MousePointer::Hourglass, MousePointer::Default}));

    LoadedForm one;
    one.database.Exec("insert into tblLotterySeries (BallNumberList) values ('07, 8,x,9,10,11')");
    one.form->cmdShowSeries_Click();
    EXPECT_EQ(one.form->txtOutput.Text, kHeading + "1\t1\t\t07, 8,x,9,10,11\r\n");

    LoadedForm thirteen(13);
    thirteen.form->txtOutput.Text = "an earlier report";
    for (int press = 0; press < 2; ++press) {
        thirteen.form->cmdShowSeries_Click();
        const std::string& list = thirteen.form->txtOutput.Text;
        EXPECT_EQ(list.rfind(kHeading, 0), 0u);  // the heading replaces what was there
        EXPECT_EQ(list.find(kHeading, 1), std::string::npos);
        EXPECT_NE(list.find("\r\n1\t12\t\t12,13,14,15,16,17\r\n"), std::string::npos);
        EXPECT_NE(list.find("\r\n2\t1\t\t13,14,15,16,17,18\r\n"), std::string::npos);
        EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 15);
    }
}

TEST(cmdShowSeries_Click, ListsAFullTableAndRefusesTheRowAfter32767) {
    LoadedForm window(5);
    window.database.AddRows(32762);  // another program fills the table while this one runs
    window.form->cmdShowSeries_Click();
    const std::string full = window.form->txtOutput.Text;
    EXPECT_EQ(std::count(full.begin(), full.end(), '\n'), 32767 + 2);
    EXPECT_TRUE(full.ends_with("\r\n2731\t7\t\t26,27,28,29,30,31\r\n"));
    window.database.AddRows(1);
    EXPECT_THROW(window.form->cmdShowSeries_Click(), base::OverflowError);
    EXPECT_EQ(window.form->txtOutput.Text, full);
}

struct AfterSomeDraws : LoadedForm {
    AfterSomeDraws() : LoadedForm(13) {
        form->txtNoDraws.Text = "4";
        form->txtSpentAmount.Text = "41";
        form->txtWonAmount.Text = "10";
        form->txtOutput.Text = "Kein Treffer.";
        form->txtNewSeries[0].Text = "3";
        form->txtDrawnNumberList.Text = "1,2,3,4,5,6";
    }
    void ExpectUntouched() {
        EXPECT_EQ(database.RowCount(), 13);
        EXPECT_EQ(form->mSeriesCount, 13);
        EXPECT_EQ(form->txtCurrentSeriesNumber.Text, "13");
        EXPECT_EQ(form->txtNoDraws.Text, "4");
        EXPECT_EQ(form->txtSpentAmount.Text, "41");
        EXPECT_EQ(form->txtWonAmount.Text, "10");
        EXPECT_EQ(form->txtOutput.Text, "Kein Treffer.");
        EXPECT_EQ(form->lblEuroUsed.Text, "= 10,25 Euro");
    }
};

TEST(cmdDelete_Click, AsksFirstAndChangesNothingOnCancel) {
    AfterSomeDraws window;
    window.dialogs.answers = {MsgBoxResult::Cancel};
    window.form->cmdDelete_Click();
    ASSERT_EQ(window.dialogs.shown.size(), 1u);
    EXPECT_EQ(window.dialogs.shown[0].prompt,
              "Alle Zahlenreihen in der Datenbank werden gelöscht. Fortfahren?");
    EXPECT_EQ(window.dialogs.shown[0].icon, ui::MsgBoxIcon::Question);
    EXPECT_EQ(window.dialogs.shown[0].buttons, ui::MsgBoxButtons::OkCancel);
    window.ExpectUntouched();
}

TEST(cmdDelete_Click, EmptiesTableCountTotalsAndStakeLabelOnOk) {
    AfterSomeDraws window;
    window.form->cmdDelete_Click();
    EXPECT_EQ(window.database.RowCount(), 0);
    EXPECT_EQ(window.form->mSeriesCount, 0);
    EXPECT_EQ(window.form->txtCurrentSeriesNumber.Text, "0");
    EXPECT_EQ(window.form->txtOutput.Text, "Alle Zahlenreihen gelöscht.");
    EXPECT_EQ(window.form->txtNoDraws.Text, "0");
    EXPECT_EQ(window.form->txtSpentAmount.Text, "0");
    EXPECT_EQ(window.form->txtWonAmount.Text, "0");
    EXPECT_EQ(window.form->lblEuroUsed.Text, "");  // no stake at all until the next one
    EXPECT_EQ(window.form->txtNewSeries[0].Text, "3");
    EXPECT_EQ(window.form->txtDrawnNumberList.Text, "1,2,3,4,5,6");

    for (auto& box : window.form->txtNewSeries) box.Text = "9";
    window.form->AddSeries();
    window.form->cmdShowSeries_Click();
    EXPECT_EQ(window.form->txtOutput.Text, kHeading + "1\t1\t\t9,9,9,9,9,9\r\n");
    EXPECT_EQ(window.form->lblEuroUsed.Text, "= 1 Euro");
}

TEST(cmdDelete_Click, ChangesNothingWhenTheDeleteFails) {
    AfterSomeDraws window;
    window.database.Exec(
        "create trigger keep before delete on tblLotterySeries "
        "begin select raise(abort, 'locked'); end");
    EXPECT_THROW(window.form->cmdDelete_Click(), base::DatabaseError);
    window.ExpectUntouched();
}

TEST(cmdResetStat_Click, ZeroesOnlyTheThreeTotals) {
    AfterSomeDraws window;
    window.form->cmdResetStat_Click();
    EXPECT_EQ(window.form->txtNoDraws.Text, "0");
    EXPECT_EQ(window.form->txtSpentAmount.Text, "0");
    EXPECT_EQ(window.form->txtWonAmount.Text, "0");
    EXPECT_EQ(window.form->txtOutput.Text, "Kein Treffer.");
    EXPECT_EQ(window.form->txtCurrentSeriesNumber.Text, "13");
    EXPECT_EQ(window.form->lblEuroUsed.Text, "= 10,25 Euro");
    EXPECT_TRUE(window.dialogs.shown.empty());
}

TEST(lblAssumptions_Click, ShowsTheAssumptionsAsInformation) {
    LoadedForm window;
    window.form->lblAssumptions_Click();
    ASSERT_EQ(window.dialogs.shown.size(), 1u);
    EXPECT_EQ(window.dialogs.shown[0].prompt, rules::AssumptionsText());
    EXPECT_EQ(window.dialogs.shown[0].icon, ui::MsgBoxIcon::Information);
    EXPECT_EQ(window.dialogs.shown[0].buttons, ui::MsgBoxButtons::Ok);
}

// The odds of the rows the file holds now, rows another program added included.
TEST(lblChances_Click, ShowsTheOddsOfTheRowsStoredNowAsInformation) {
    LoadedForm window(13);
    window.database.Exec("insert into tblLotterySeries (BallNumberList) values ('1,2,3,4,5,6,7')");
    window.form->lblChances_Click();
    ASSERT_EQ(window.dialogs.shown.size(), 1u);
    EXPECT_EQ(window.dialogs.shown[0].prompt,
              rules::OddsText(rules::OddsOf(window.database.Rows()), ","));
    EXPECT_NE(window.dialogs.shown[0].prompt.find("Zahlenreihen: 14, Einsatz 11 Euro"),
              std::string::npos);
    EXPECT_EQ(window.dialogs.shown[0].icon, ui::MsgBoxIcon::Information);
    EXPECT_EQ(window.dialogs.pointers, (std::vector<ui::MousePointer>{ui::MousePointer::Hourglass,
                                                                      ui::MousePointer::Default}));
    EXPECT_EQ(window.form->txtCurrentSeriesNumber.Text, "14");
}

}  // namespace
