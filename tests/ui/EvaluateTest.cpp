#include <gtest/gtest.h>

#include "base/Errors.h"
#include "tests/support/LiteralEvaluation.h"
#include "tests/ui/ScriptedDialogs.h"

#include <random>

namespace {

using testing_support::LoadedForm;
using ui::ControlId;

const char* const kWorkedExampleReport =
    "Blatt 1, Kästchen 2: 4 Richtige + Zusatzzahl\r\n"
    "Blatt 2, Kästchen 1: 3 Richtige\r\n"
    "================================\r\n"
    "Gewonnene Summe (ca.): 210 EUR\r\n";

// Thirteen rows: row 2 and row 13 win against the worked example's draw, no other row has more
// than two hits.
void StoreWorkedExampleRows(const testing_support::TempDatabase& database) {
    for (int ordinal = 1; ordinal <= 13; ++ordinal) {
        const char* row = ordinal == 2    ? "1,5,9,23,31,47"
                          : ordinal == 13 ? "2,9,14,22,35,41"
                                          : "1,5,10,11,12,13";
        database.Exec(std::string("insert into tblLotterySeries (BallNumberList) values ('") + row +
                      "')");
    }
}

struct WorkedExample : LoadedForm {
    WorkedExample() {
        StoreWorkedExampleRows(database);
        form->mSeriesCount = 13;
        form->txtDrawnNumberList.Text = "5,9,22,23,35,47";
        form->txtAdditionalNumber.Text = "31";
        form->txtNoDraws.Text = "4";
        form->txtSpentAmount.Text = "37";
        form->txtWonAmount.Text = "10";
    }
};

TEST(EvaluateSeries, GivesTheWorkedExampleReportAndAdvancesSimulatedTotals) {
    WorkedExample window;
    ui::frmMain& form = *window.form;
    form.EvaluateSeries(true);
    EXPECT_EQ(form.txtOutput.Text, kWorkedExampleReport);
    EXPECT_EQ(form.txtOutput.SelStart, form.txtOutput.Text.size());
    EXPECT_EQ(form.lblEuroUsed.Text, "= 10,25 Euro");
    EXPECT_EQ(form.txtNoDraws.Text, "5");
    EXPECT_EQ(form.txtSpentAmount.Text, "47,25");
    EXPECT_EQ(form.txtWonAmount.Text, "220");
    EXPECT_TRUE(window.dialogs.shown.empty());

    form.EvaluateSeries(true);
    EXPECT_EQ(form.txtSpentAmount.Text, "57,5");  // read back in the same locale
}

TEST(cmdEvaluate_Click, GivesTheSameReportTwiceAndNeverMovesTheTotals) {
    WorkedExample window;
    ui::frmMain& form = *window.form;
    for (int press = 0; press < 2; ++press) {
        form.cmdEvaluate_Click();
        EXPECT_EQ(form.txtOutput.Text, kWorkedExampleReport);
        EXPECT_EQ(form.txtNoDraws.Text, "4");
        EXPECT_EQ(form.txtSpentAmount.Text, "37");
        EXPECT_EQ(form.txtWonAmount.Text, "10");
    }
}

TEST(EvaluateSeries, WritesTheSpentAmountInTheUsersLocale) {
    LoadedForm window(13, ".");
    ui::frmMain& form = *window.form;
    form.txtDrawnNumberList.Text = "40,41,42,43,44,45";
    form.txtAdditionalNumber.Text = "46";
    form.txtSpentAmount.Text = "37";
    form.EvaluateSeries(true);
    EXPECT_EQ(form.txtSpentAmount.Text, "47.25");
}

TEST(EvaluateSeries, ReportsNoWinAndNoRowsWithoutATotal) {
    struct Case {
        int rows;
        const char* report;
        const char* spent;
    };
    const Case cases[] = {{0, "Keine Zahlenreihen gefunden.", "0"}, {3, "Kein Treffer.", "2,5"}};
    for (const Case& c : cases) {
        LoadedForm window(c.rows);
        ui::frmMain& form = *window.form;
        form.txtOutput.Text = "old report";
        form.txtDrawnNumberList.Text = "40,41,42,43,44,45";
        form.txtAdditionalNumber.Text = "46";
        form.EvaluateSeries(true);
        EXPECT_EQ(form.txtOutput.Text, c.report);
        EXPECT_EQ(form.txtOutput.SelStart, 0u);
        EXPECT_EQ(form.txtNoDraws.Text, "1");  // a simulated draw counts, winning or not
        EXPECT_EQ(form.txtSpentAmount.Text, c.spent);
        EXPECT_EQ(form.txtWonAmount.Text, "0");
    }
}

TEST(EvaluateSeries, LabelsRowsTwelveAndThirteenAndNeverCarriesTheBonus) {
    LoadedForm window;
    for (int ordinal = 1; ordinal <= 13; ++ordinal) {
        window.database.Exec(
            std::string("insert into tblLotterySeries (BallNumberList) values ('") +
            (ordinal == 12   ? "1,2,3,4,7,9"
             : ordinal == 13 ? "1,2,3,20,21,22"
                             : "40,41,42,43,44,45") +
            "')");
    }
    ui::frmMain& form = *window.form;
    form.mSeriesCount = 13;
    form.txtDrawnNumberList.Text = "1,2,3,4,5,6";
    form.txtAdditionalNumber.Text = "7";
    form.cmdEvaluate_Click();
    EXPECT_EQ(form.txtOutput.Text,
              "Blatt 1, Kästchen 12: 4 Richtige + Zusatzzahl\r\n"
              "Blatt 2, Kästchen 1: 3 Richtige\r\n"
              "================================\r\n"
              "Gewonnene Summe (ca.): 210 EUR\r\n");
}

TEST(EvaluateSeries, WarnsAboutAMissingDrawFirstThenAMissingBonus) {
    struct Case {
        const char* drawn;
        const char* bonus;
        const char* warning;
        ControlId focus;
    };
    const Case cases[] = {
        {"", "", "Bitte zuerst gezogene Zahlen eingeben.", ControlId::txtDrawnNumberList},
        {"", "7", "Bitte zuerst gezogene Zahlen eingeben.", ControlId::txtDrawnNumberList},
        {"1,2,3", "", "Bitte Zusatzzahl eingeben.", ControlId::txtAdditionalNumber},
    };
    for (const Case& c : cases) {
        LoadedForm window(3);
        ui::frmMain& form = *window.form;
        form.txtOutput.Text = "old report";
        form.txtDrawnNumberList.Text = c.drawn;
        form.txtAdditionalNumber.Text = c.bonus;
        form.lblEuroUsed.Text = "untouched";
        form.EvaluateSeries(true);
        ASSERT_EQ(window.dialogs.shown.size(), 1u);
        EXPECT_EQ(window.dialogs.shown[0].prompt, c.warning);
        EXPECT_EQ(window.dialogs.shown[0].icon, ui::MsgBoxIcon::Warning);
        EXPECT_EQ(form.ActiveControl, c.focus);
        EXPECT_EQ(form.txtOutput.Text, "old report");
        EXPECT_EQ(form.lblEuroUsed.Text, "untouched");
        EXPECT_EQ(form.txtNoDraws.Text, "0");
    }
}

TEST(EvaluateSeries, ChangesNoTotalWhenOneWouldOverflow) {
    struct Case {
        const char* draws;
        const char* spent;
        const char* won;
    };
    const Case cases[] = {{"32767", "5", "5"}, {"5", "5", "2147483600"}, {"5", "x", "5"}};
    for (const Case& c : cases) {
        WorkedExample window;
        ui::frmMain& form = *window.form;
        form.txtNoDraws.Text = c.draws;
        form.txtSpentAmount.Text = c.spent;
        form.txtWonAmount.Text = c.won;
        EXPECT_THROW(form.EvaluateSeries(true), base::AppError);
        EXPECT_EQ(form.txtNoDraws.Text, c.draws);
        EXPECT_EQ(form.txtSpentAmount.Text, c.spent);
        EXPECT_EQ(form.txtWonAmount.Text, c.won);
    }
}

TEST(EvaluateSeries, LeavesNoPartialReportWhenTheTotalOverflows) {
    LoadedForm window;
    // 2,864 rows with six hits win 2,148,000,000 euros, more than 32 bits hold.
    window.database.Exec(
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < 2864) "
        "insert into tblLotterySeries (BallNumberList) select '1,2,3,4,5,6' from n");
    ui::frmMain& form = *window.form;
    form.txtOutput.Text = "old report";
    form.txtDrawnNumberList.Text = "1,2,3,4,5,6";
    form.txtAdditionalNumber.Text = "7";
    EXPECT_THROW(form.EvaluateSeries(true), base::OverflowError);
    EXPECT_EQ(form.txtOutput.Text, "");
    EXPECT_EQ(form.txtNoDraws.Text, "0");
}

TEST(EvaluateSeries, SeesRowsAnotherProgramAddedMeanwhile) {
    WorkedExample window;
    ui::frmMain& form = *window.form;
    form.cmdEvaluate_Click();
    window.database.Exec("insert into tblLotterySeries (BallNumberList) values ('5,9,22,1,2,3')");
    form.cmdEvaluate_Click();
    EXPECT_EQ(form.txtOutput.Text,
              "Blatt 1, Kästchen 2: 4 Richtige + Zusatzzahl\r\n"
              "Blatt 2, Kästchen 1: 3 Richtige\r\n"
              "Blatt 2, Kästchen 2: 3 Richtige\r\n"
              "================================\r\n"
              "Gewonnene Summe (ca.): 220 EUR\r\n");
}

TEST(EvaluateSeries, ReportsExactlyWhatThePlainEvaluationReports) {
    LoadedForm window;
    std::mt19937 random(7);
    const char* const tokens[] = {"1",  "2",  "3",  "4",  "5", "6", "7",  "9",
                                  "13", "49", "07", " 5", "",  "x", "50", "1234"};
    const auto list = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += (i > 0 ? "," : "") + std::string(tokens[random() % std::size(tokens)]);
        }
        return text;
    };
    for (int row = 0; row < 400; ++row) {
        window.database.Exec("insert into tblLotterySeries (BallNumberList) values ('" + list(6) +
                             "')");
    }
    ui::frmMain& form = *window.form;
    for (int draw = 0; draw < 200; ++draw) {
        form.txtDrawnNumberList.Text = list(1 + draw % 9);
        if (form.txtDrawnNumberList.Text.empty()) form.txtDrawnNumberList.Text = ",,";
        form.txtAdditionalNumber.Text = tokens[draw % std::size(tokens)];
        if (form.txtAdditionalNumber.Text.empty()) form.txtAdditionalNumber.Text = "3,4";
        form.cmdEvaluate_Click();
        const testing_support::LiteralResult literal = testing_support::LiteralEvaluation(
            *form.mConnection, form.txtDrawnNumberList.Text, form.txtAdditionalNumber.Text);
        ASSERT_EQ(form.txtOutput.Text, literal.report)
            << "drawn \"" << form.txtDrawnNumberList.Text << "\", bonus \""
            << form.txtAdditionalNumber.Text << '"';
    }
}

}  // namespace
