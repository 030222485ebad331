// What a screen reader hears after each command: one short German sentence of the outcome, and
// nothing when a message box says what happened instead.
#include <gtest/gtest.h>

#include <functional>

#include "base/Errors.h"
#include "tests/support/FixedRandom.h"
#include "tests/ui/ScriptedDialogs.h"

namespace {

using testing_support::LoadedForm;

void TypeRow(ui::frmMain& form, const std::vector<std::string>& numbers) {
    for (std::size_t i = 0; i < numbers.size(); ++i) form.txtNewSeries[i].Text = numbers[i];
}

// "Auswertung" of a typed draw.
std::function<void(LoadedForm&)> Evaluate(std::string drawn, std::string bonus) {
    return [=](LoadedForm& window) {
        window.form->txtDrawnNumberList.Text = drawn;
        window.form->txtAdditionalNumber.Text = bonus;
        window.form->cmdEvaluate_Click();
    };
}

TEST(Announcements, SayEachCommandsOutcomeOnce) {
    struct Case {
        const char* name;
        int rows;  // "1,2,3,4,5,6", "2,3,4,5,6,7", …
        std::function<void(LoadedForm&)> command;
        const char* heard;  // nullptr: nothing
    };
    const Case cases[] = {
        {"a typed row", 13,
         [](LoadedForm& w) {
             TypeRow(*w.form, {"1", "2", "3", "4", "5", "6"});
             w.form->cmdAddSeries_Click();
         },
         "Anzahl Kästchen: 14, Einsatz 11 Euro."},
        {"a row with an empty box", 13,
         [](LoadedForm& w) {
             TypeRow(*w.form, {"1", "2", "", "4", "5", "6"});
             w.form->cmdAddSeries_Click();
         },
         nullptr},
        {"a row that cannot be stored", 13,
         [](LoadedForm& w) {
             TypeRow(*w.form, {std::string(200, '7'), "2", "3", "4", "5", "6"});
             EXPECT_THROW(w.form->cmdAddSeries_Click(), base::AppError);
         },
         nullptr},
        {"an evaluation without a win", 13, Evaluate("40,41,42,43,44,45", "46"), "Kein Treffer."},
        {"an evaluation with four winning rows", 13, Evaluate("1,2,3,4,5,6", "7"),
         "Gewonnene Summe (ca.): 850230 EUR, 4 Gewinnreihen."},
        {"an evaluation with one winning row", 13, Evaluate("16,17,18,40,41,42", "7"),
         "Gewonnene Summe (ca.): 10 EUR, 1 Gewinnreihe."},
        {"an evaluation over no rows", 0, Evaluate("1,2,3,4,5,6", "7"),
         "Keine Zahlenreihen gefunden."},
        {"an evaluation without a draw", 13, [](LoadedForm& w) { w.form->cmdEvaluate_Click(); },
         nullptr},
        {"three simulated draws", 13,
         [](LoadedForm& w) {
             w.form->txtNewSeries[0].Text = "3";
             w.form->cmdGenerateRandom_Click();
         },
         "Ziehung 44,45,46,47,48,49, Zusatzzahl 43: Kein Treffer. Ziehungen: 3, Ausgaben: "
         "30,75, Einnahmen: 0."},
        {"three simulated draws after an evaluation", 13,
         [](LoadedForm& w) {
             Evaluate("40,41,42,43,44,45", "46")(w);
             w.dialogs.announced.clear();
             w.form->txtNewSeries[0].Text = "3";
             w.form->cmdGenerateRandom_Click();
         },
         "Ziehung 44,45,46,47,48,49, Zusatzzahl 43: Kein Treffer. Ziehungen: 3, Ausgaben: "
         "30,75, Einnahmen: 0."},
        {"five random rows stored", 13,
         [](LoadedForm& w) {
             w.form->chkInDB.Value = 1;
             w.form->chkInDB_Click();
             w.form->txtSeriesCount.Text = "5";
             w.form->cmdGenerateRandom_Click();
         },
         "5 Zahlenreihe(n) hinzugefügt. Anzahl Kästchen: 18, Einsatz 14 Euro."},
        {"a list of 13 rows", 13, [](LoadedForm& w) { w.form->cmdShowSeries_Click(); },
         "13 Zahlenreihen aufgelistet."},
        {"a list of one row", 1, [](LoadedForm& w) { w.form->cmdShowSeries_Click(); },
         "1 Zahlenreihe aufgelistet."},
        {"a list of no rows", 0, [](LoadedForm& w) { w.form->cmdShowSeries_Click(); },
         "Keine Zahlenreihen gefunden."},
        {"a delete confirmed", 13, [](LoadedForm& w) { w.form->cmdDelete_Click(); },
         "Alle Zahlenreihen gelöscht. Anzahl Kästchen: 0."},
        {"a delete cancelled", 13,
         [](LoadedForm& w) {
             w.dialogs.answers.push_back(ui::MsgBoxResult::Cancel);
             w.form->cmdDelete_Click();
         },
         "Nichts gelöscht."},
        {"a reset", 13, [](LoadedForm& w) { w.form->cmdResetStat_Click(); },
         "Ziehungen, Ausgaben und Einnahmen auf 0 gesetzt."},
    };
    for (const Case& c : cases) {
        LoadedForm window(
            c.rows, ",", std::make_shared<testing_support::FixedRandom>(std::vector<double>{0.99}));
        ASSERT_TRUE(window.loaded);
        c.command(window);
        const std::vector<std::string> expected =
            c.heard == nullptr ? std::vector<std::string>{} : std::vector<std::string>{c.heard};
        EXPECT_EQ(window.dialogs.announced, expected) << c.name;
    }
}

}  // namespace
