// Clicks of many draws, whose draws before the last are counted from the winner tables, against
// the same draws made one click each, so that every draw is a click's last and evaluated in
// full: after every click the whole window must be the same, also when a click stops on a
// failure, and the report shown must be the text rule's for the draw shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "base/NumberText.h"
#include "store/sqlite/RowStatements.h"
#include "tests/support/ForwardingConnection.h"
#include "tests/support/LiteralEvaluation.h"
#include "tests/ui/ScriptedDialogs.h"

namespace {

using testing_support::EnvironmentFor;
using testing_support::ScriptedDialogs;
using testing_support::TempDatabase;

rules::ClockSeededRandom::ClockReading StandingClock() { return {1, 2}; }

struct Window {
    Window() {
        ui::FormEnvironment environment = EnvironmentFor(database.Folder(), hive);
        environment.random = std::make_shared<rules::ClockSeededRandom>(99, StandingClock);
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

    // Makes the draws a click of `draws` makes, one click each, up to the first that fails.
    std::string ClickDrawByDraw(const std::string& draws) {
        int count = 1;
        try {
            if (base::IsNumeric(draws, ",")) count = base::ToInt16(draws, ",");
        } catch (const std::exception&) {
            return Click(draws);  // refused before its first draw
        }
        std::string failure;
        for (int draw = 0; draw < count && failure.empty(); ++draw) failure = Click("1");
        form->txtNewSeries[0].Text = draws;  // as the box of the one click reads
        return failure;
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

// The numbers of the first draw the windows' generator makes.
std::string FirstDraw() {
    Window scratch;
    EXPECT_TRUE(scratch.form->Form_Load());
    scratch.Click("1");
    return scratch.form->txtDrawnNumberList.Text;
}

// Rows of one kind, as SQL values.
std::string Rows(std::mt19937& random, const std::string& kind, int count) {
    if (kind == "the first draw") {  // each of them wins 750,000 in that draw
        const std::string row = "('" + FirstDraw() + "')";
        std::string values = row;
        for (int i = 1; i < count; ++i) values += "," + row;
        return "insert into tblLotterySeries (BallNumberList) values " + values;
    }
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
        // A click that fails at its first draw: the report is emptied all the same.
        {"the draw counter full", "plain", 300, {"32767", "0", "0"}, {"3"}},
        // 2,864 times 750,000 is more than 32 bits hold, in one draw before the click's last.
        {"one draw wins beyond 32 bits", "the first draw", 2864, {"0", "0", "0"}, {"2"}},
        // The rows another program adds after the first click make more than can be counted.
        {"more rows than can be counted", "plain", 32767, {"0", "0", "0"}, {"2", "5"}},
    };
    for (const Case& c : cases) {
        std::mt19937 random(7);
        const std::string rows = c.rows > 0 ? Rows(random, c.kind, c.rows) : "";
        const std::string others = Rows(random, "odd", 50);
        Window fast, reference;
        for (Window* window : {&fast, &reference}) {
            if (!rows.empty()) window->database.Exec(rows);
            ASSERT_TRUE(window->form->Form_Load());
            window->form->txtNoDraws.Text = c.startTotals[0];
            window->form->txtSpentAmount.Text = c.startTotals[1];
            window->form->txtWonAmount.Text = c.startTotals[2];
            window->form->txtOutput.Text = "an earlier report";
        }
        for (std::size_t click = 0; click < c.clicks.size(); ++click) {
            const std::string where = std::string(c.name) + ", click " + std::to_string(click);
            if (click == 1) {  // another program adds rows between two clicks
                fast.database.Exec(others);
                reference.database.Exec(others);
            }
            const std::string failure = fast.Click(c.clicks[click]);
            EXPECT_EQ(failure, reference.ClickDrawByDraw(c.clicks[click])) << where;
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

// The draw a window's generator makes as its `draw`th, with the rows it is played against.
std::pair<std::string, std::string> DrawNumber(int draw) {
    Window scratch;
    EXPECT_TRUE(scratch.form->Form_Load());
    scratch.Click(std::to_string(draw));
    return {scratch.form->txtDrawnNumberList.Text, scratch.form->txtAdditionalNumber.Text};
}

// Clicks of random sizes up to the draw counter's end, against the same draws made one click
// each, whose balance the window's boxes show: the course holds every draw's balance, a
// picture of any width covers every draw with exactly one column and shows in each column
// exactly the lowest and the highest balance of its draws, and a six and a five with the bonus
// number, each a single draw inside a click of many, stand as the jumps they were.
TEST(SimulationClicks, TheCourseHoldsEveryDrawAtAnyWidth) {
    const auto [six, sixBonus] = DrawNumber(20001);
    const auto [fiveWithBonus, bonus] = DrawNumber(7001);
    std::mt19937 random(11);
    const std::string rows = Rows(random, "plain", 200) + ",('" + six + "'),('" +
                             fiveWithBonus.substr(fiveWithBonus.find(',') + 1) + "," + bonus + "')";
    Window fast, reference;
    for (Window* window : {&fast, &reference}) {
        window->database.Exec(rows);
        ASSERT_TRUE(window->form->Form_Load());
    }
    std::vector<double> balances;  // after every draw, as the boxes show it
    while (balances.size() <= 32767) {
        const int draws = random() % 4 == 0 ? 1 : 1 + static_cast<int>(random() % 4000);
        const std::string failure = fast.Click(std::to_string(draws));
        for (int draw = 0; draw < draws; ++draw) {
            if (!reference.Click("1").empty()) break;
            balances.push_back(base::ToDouble(reference.form->txtWonAmount.Text, ",") -
                               base::ToDouble(reference.form->txtSpentAmount.Text, ","));
        }
        if (!failure.empty()) break;
    }
    const rules::BalanceCourse& course = fast.form->Course();
    ASSERT_EQ(course.Draws(), 32767u);
    ASSERT_EQ(balances.size(), 32767u);
    for (std::size_t draw = 1; draw <= balances.size(); ++draw) {
        ASSERT_EQ(course.BalanceAfter(draw), balances[draw - 1]) << "draw " << draw;
    }
    for (const std::size_t jump : {7001u, 20001u}) {
        EXPECT_GT(balances[jump - 1] - balances[jump - 2], 1000) << "draw " << jump;
    }
    const auto highest = std::max_element(balances.begin(), balances.end());
    const auto lowest = std::min_element(balances.begin(), balances.end());
    EXPECT_EQ(course.Highest().balance, *highest);
    EXPECT_EQ(course.Highest().draw, static_cast<std::size_t>(highest - balances.begin()) + 1);
    EXPECT_EQ(course.Lowest().balance, *lowest);
    EXPECT_EQ(course.Lowest().draw, static_cast<std::size_t>(lowest - balances.begin()) + 1);

    for (std::size_t width = 1; width <= 2000; ++width) {
        std::size_t nextDraw = 1;
        for (const rules::BalanceCourse::Column& column : course.Columns(width)) {
            if (column.draws == 0) continue;
            ASSERT_EQ(column.firstDraw, nextDraw) << "width " << width;
            const auto begin = balances.begin() + static_cast<std::ptrdiff_t>(nextDraw - 1);
            const auto end = begin + static_cast<std::ptrdiff_t>(column.draws);
            ASSERT_EQ(column.low, *std::min_element(begin, end)) << "width " << width;
            ASSERT_EQ(column.high, *std::max_element(begin, end)) << "width " << width;
            ASSERT_EQ(column.first, *begin) << "width " << width;
            ASSERT_EQ(column.last, *(end - 1)) << "width " << width;
            nextDraw += column.draws;
        }
        ASSERT_EQ(nextDraw, balances.size() + 1) << "width " << width;
    }
}

// The store of a window, through which another program adds a row at the moment the window
// reads the list of rows: after the window counted them, before it reads them.
class RacingConnection final : public testing_support::ForwardingConnection {
  public:
    RacingConnection(const TempDatabase& database, bool& armed)
        : mDatabase(database), mArmed(armed) {}

  private:
    void BeforeStatement(std::string_view statement) override {
        if (mArmed && statement == store::kListStatement) {
            mArmed = false;
            mDatabase.Exec("insert into tblLotterySeries (BallNumberList) values ('1,2,3,4,5,6')");
        }
    }

    const TempDatabase& mDatabase;
    bool& mArmed;
};

// A row that arrives between the count and the list makes more rows than can be counted: the
// click fails as draw by draw, and the tables never count the rows beyond.
TEST(SimulationClicks, RowsBeyondTheCountReadWithTheListFailAsDrawByDraw) {
    std::mt19937 random(7);
    const std::string rows = Rows(random, "plain", 32767);
    struct Racing {
        explicit Racing(const std::string& rows) {
            window.database.Exec(rows);
            ui::FormEnvironment environment = EnvironmentFor(window.database.Folder(), window.hive);
            environment.random = std::make_shared<rules::ClockSeededRandom>(99, StandingClock);
            environment.createConnection = [this] {
                return std::make_unique<RacingConnection>(window.database, armed);
            };
            window.form = std::make_unique<ui::frmMain>(window.dialogs, std::move(environment));
        }
        Window window;
        bool armed = false;
    };
    Racing fast(rows), reference(rows);
    for (Racing* racing : {&fast, &reference}) {
        ASSERT_TRUE(racing->window.form->Form_Load());
        racing->armed = true;
    }
    const std::string failure = fast.window.Click("3");
    EXPECT_NE(failure.find("32767"), std::string::npos) << failure;
    EXPECT_EQ(failure, reference.window.ClickDrawByDraw("3"));
    ExpectSameWindow(*fast.window.form, *reference.window.form, "after the click");
}

}  // namespace
