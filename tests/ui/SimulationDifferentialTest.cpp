// Clicks of many draws counted from the winner tables against the same clicks evaluated draw by
// draw: after every click the whole window must be the same, also when a click stops on a
// failure, and the report shown must be the text rule's for the draw shown.
#include <gtest/gtest.h>

#include <random>

#include "tests/support/LiteralEvaluation.h"
#include "tests/ui/ScriptedDialogs.h"

namespace {

using testing_support::EnvironmentFor;
using testing_support::ScriptedDialogs;
using testing_support::TempDatabase;

rules::ClockSeededRandom::ClockReading StandingClock() { return {1, 2}; }

struct Window {
    explicit Window(bool countWinnersByTables) {
        ui::FormEnvironment environment = EnvironmentFor(database.Folder(), hive);
        environment.random = std::make_shared<rules::ClockSeededRandom>(99, StandingClock);
        environment.countWinnersByTables = countWinnersByTables;
        form = std::make_unique<ui::frmMain>(dialogs, std::move(environment));
    }

    // Runs a click of `draws` draws; returns the failure it stopped on, if any.
    std::string Click(const std::string& draws) {
        form->txtNewSeries[0].Text = draws;
        try {
            form->cmdGenerateRandom_Click();
        } catch (const std::exception& failure) {
            return failure.what();
        }
        return "";
    }

    TempDatabase database;
    store::BuiltinHive hive = store::BuiltinHive::WithOwnStore();
    ScriptedDialogs dialogs;
    std::unique_ptr<ui::frmMain> form;
};

void ExpectSameWindow(const ui::frmMain& fast, const ui::frmMain& reference,
                      const std::string& where) {
    for (const ui::ControlSpec& spec : ui::kControls) {
        const ui::ControlState& a = fast.Control(spec.id);
        const ui::ControlState& b = reference.Control(spec.id);
        EXPECT_EQ(a.Text, b.Text) << where << ": " << spec.name;
        EXPECT_EQ(a.Enabled, b.Enabled) << where << ": " << spec.name;
        EXPECT_EQ(a.Value, b.Value) << where << ": " << spec.name;
        EXPECT_EQ(a.SelStart, b.SelStart) << where << ": " << spec.name;
    }
    EXPECT_EQ(fast.mSeriesCount, reference.mSeriesCount) << where;
    EXPECT_EQ(fast.ActiveControl, reference.ActiveControl) << where;
}

// Rows of one kind, as SQL values.
std::string Rows(std::mt19937& random, const std::string& kind, int count) {
    const char* const odd[] = {"0", "07", " 7", "", "a", "64", "1234", "3 4", "ä"};
    std::string values;
    for (int i = 0; i < count; ++i) {
        const int highest = kind == "narrow" ? 9 : kind == "high" ? 63 : 49;
        int numbers = 6;
        if (kind == "lengths") numbers = 4 + static_cast<int>(random() % 5);
        std::string row;
        for (int n = 0; n < numbers; ++n) {
            std::string token = std::to_string(1 + random() % highest);
            if (kind == "odd" && random() % 4 == 0) token = odd[random() % std::size(odd)];
            row += (n == 0 ? "" : ",") + token;  // numbers may repeat: rows are not checked
        }
        values += (values.empty() ? "('" : ",('") + row + "')";
    }
    return "insert into tblLotterySeries (BallNumberList) values " + values;
}

TEST(SimulationClicks, CountedFromTheTablesLeaveTheWindowAsDrawByDraw) {
    struct Case {
        const char* name;
        const char* kind;
        int rows;
        const char* startTotals[3];  // draws, spent, won
        std::vector<const char*> clicks;
    };
    const Case cases[] = {
        {"plain rows", "plain", 3000, {"0", "0", "0"}, {"1", "2", "40", "abc", "300"}},
        {"numbers to 63", "high", 2000, {"0", "0", "0"}, {"25", "120"}},
        {"repeats and lengths", "lengths", 2000, {"0", "0", "0"}, {"60", "7"}},
        {"typed odd texts", "odd", 1500, {"0", "0", "0"}, {"80", "3"}},
        {"narrow rows win often", "narrow", 2500, {"0", "0", "0"}, {"50", "9"}},
        {"draw counter runs out", "plain", 500, {"32760", "5", "7"}, {"4", "9", "2"}},
        {"winnings run out", "narrow", 2500, {"0", "0", "2147000000"}, {"400", "5"}},
        {"no rows", "plain", 0, {"0", "0", "0"}, {"30"}},
        {"not a number in a total", "plain", 200, {"0", "x", "0"}, {"5"}},
    };
    for (const Case& c : cases) {
        std::mt19937 random(7);
        const std::string rows = c.rows > 0 ? Rows(random, c.kind, c.rows) : "";
        const std::string others = Rows(random, "odd", 50);
        Window fast(true), reference(false);
        for (Window* window : {&fast, &reference}) {
            if (!rows.empty()) window->database.Exec(rows);
            ASSERT_TRUE(window->form->Form_Load());
            window->form->txtNoDraws.Text = c.startTotals[0];
            window->form->txtSpentAmount.Text = c.startTotals[1];
            window->form->txtWonAmount.Text = c.startTotals[2];
        }
        for (std::size_t click = 0; click < c.clicks.size(); ++click) {
            const std::string where = std::string(c.name) + ", click " + std::to_string(click);
            if (click == 1) {  // another program adds rows between two clicks
                fast.database.Exec(others);
                reference.database.Exec(others);
            }
            const std::string failure = fast.Click(c.clicks[click]);
            EXPECT_EQ(failure, reference.Click(c.clicks[click])) << where;
            ExpectSameWindow(*fast.form, *reference.form, where);
            EXPECT_EQ(fast.dialogs.shown.size(), reference.dialogs.shown.size()) << where;
            if (failure.empty() && !fast.form->txtOutput.Text.empty()) {
                const testing_support::LiteralResult literal = testing_support::LiteralEvaluation(
                    *fast.form->mConnection, fast.form->txtDrawnNumberList.Text,
                    fast.form->txtAdditionalNumber.Text);
                EXPECT_EQ(fast.form->txtOutput.Text, literal.report) << where;
            }
        }
    }
}

}  // namespace
