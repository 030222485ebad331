#include <gtest/gtest.h>

#include "base/Errors.h"
#include "tests/ui/ScriptedDialogs.h"

namespace {

using testing_support::LoadedForm;
using ui::ControlId;

TEST(frmMain, StartsWithTheControlsAsDesigned) {
    LoadedForm window;
    ui::frmMain& form = *window.form;
    for (const auto& box : form.txtNewSeries) EXPECT_EQ(box.Text, "");
    EXPECT_EQ(form.txtSeriesCount.Text, "1");
    EXPECT_FALSE(form.txtSeriesCount.Enabled);
    EXPECT_EQ(form.chkInDB.Value, 0);
    EXPECT_EQ(form.chkUnpopularNums.Value, 1);
    EXPECT_FALSE(form.chkUnpopularNums.Enabled);
    EXPECT_EQ(form.txtNoDraws.Text, "0");
    EXPECT_EQ(form.txtSpentAmount.Text, "0");
    EXPECT_EQ(form.txtWonAmount.Text, "0");
    EXPECT_EQ(form.txtOutput.Text, "");
    EXPECT_EQ(form.ActiveControl, ControlId::txtNewSeries0);
}

TEST(chkInDB_Click, HandsCountAndFilterToTheUserOnlyWhileTicked) {
    LoadedForm window;
    ui::frmMain& form = *window.form;

    form.chkInDB.Value = 1;
    form.chkInDB_Click();
    EXPECT_TRUE(form.txtSeriesCount.Enabled);
    EXPECT_TRUE(form.chkUnpopularNums.Enabled);
    EXPECT_EQ(form.chkUnpopularNums.Value, 1);

    form.txtSeriesCount.Text = "25";
    form.chkUnpopularNums.Value = 0;
    form.chkInDB.Value = 0;
    form.chkInDB_Click();
    EXPECT_FALSE(form.txtSeriesCount.Enabled);
    EXPECT_FALSE(form.chkUnpopularNums.Enabled);
    EXPECT_EQ(form.txtSeriesCount.Text, "1");
    EXPECT_EQ(form.chkUnpopularNums.Value, 0);  // the untick stays, greyed

    form.chkInDB.Value = 1;
    form.chkInDB_Click();
    EXPECT_EQ(form.txtSeriesCount.Text, "1");
    EXPECT_EQ(form.chkUnpopularNums.Value, 0);
}

TEST(InsertSeries, StoresTheRowThenCountsIt) {
    LoadedForm window(12);
    ui::frmMain& form = *window.form;
    form.InsertSeries("1,'2, 3,x,05,6");
    EXPECT_EQ(form.mSeriesCount, 13);
    EXPECT_EQ(form.txtCurrentSeriesNumber.Text, "13");
    EXPECT_EQ(window.database.RowCount(), 13);
    EXPECT_EQ(window.database.Rows().back(), "1,'2, 3,x,05,6");
    EXPECT_EQ(form.lblEuroUsed.Text, "= 9,25 Euro");  // the caller refreshes the stake
}

TEST(InsertSeries, RefusesTheRowAfter32767BeforeSendingAnything) {
    LoadedForm window(32767);
    ui::frmMain& form = *window.form;
    EXPECT_THROW(form.InsertSeries("1,2,3,4,5,6"), base::OverflowError);
    EXPECT_EQ(form.mSeriesCount, 32767);
    EXPECT_EQ(form.txtCurrentSeriesNumber.Text, "32767");
    EXPECT_EQ(window.database.RowCount(), 32767);
}

TEST(InsertSeries, KeepsTheCountWhenTheDatabaseRefusesTheRow) {
    LoadedForm window(2);
    window.database.Exec(
        "drop table tblLotterySeries; create table tblLotterySeries (LotterySeriesID INTEGER "
        "PRIMARY KEY AUTOINCREMENT, BallNumberList TEXT NOT NULL CHECK (LotterySeriesID < 3));"
        "insert into tblLotterySeries (BallNumberList) values ('1'), ('2')");
    ui::frmMain& form = *window.form;
    EXPECT_THROW(form.InsertSeries("1,2,3,4,5,6"), base::DatabaseError);
    EXPECT_EQ(form.mSeriesCount, 2);
    EXPECT_EQ(form.txtCurrentSeriesNumber.Text, "2");
    EXPECT_EQ(window.database.RowCount(), 2);
}

TEST(ShowStake, WritesTheCaptionInTheUsersLocaleAndReturnsTheStake) {
    struct Case {
        std::int16_t rows;
        const char* separator;
        double stake;
        const char* caption;
    };
    // The stake itself is the rules' (StakeFor); here, how the window writes it.
    const Case cases[] = {
        {1, ",", 1, "= 1 Euro"}, {2, ",", 1.75, "= 1,75 Euro"}, {12, ".", 9.25, "= 9.25 Euro"}};
    for (const Case& c : cases) {
        LoadedForm window(0, c.separator);
        window.form->mSeriesCount = c.rows;
        EXPECT_EQ(window.form->ShowStake(), c.stake);
        EXPECT_EQ(window.form->lblEuroUsed.Text, c.caption);
    }
}

TEST(RowTableList, WalksTheRowsInStoredOrder) {
    LoadedForm window;
    window.database.Exec(
        "insert into tblLotterySeries (LotterySeriesID, BallNumberList) values (50, 'b'), (7, "
        "'a')");
    auto rows = store::RowTable(*window.form->mConnection).List();
    std::vector<std::string> seen;
    for (; !rows->Eof(); rows->MoveNext()) seen.push_back(rows->Field("BallNumberList").Text());
    rows->Close();
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b"}));
}

}  // namespace
