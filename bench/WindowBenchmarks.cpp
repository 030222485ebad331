// The commands of the window at the program's limits: 32,767 stored rows and 9,999 simulated
// draws a click, each on a real Lotto.mdb in a temporary folder.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QPushButton>
#include <memory>

#include "rules/DrawReport.h"
#include "rules/RandomDraw.h"
#include "store/platform/BuiltinHive.h"
#include "store/sqlite/SqliteConnection.h"
#include "tests/support/LiteralEvaluation.h"
#include "tests/support/TempDatabase.h"
#include "ui/CoursePlot.h"
#include "ui/CourseWindow.h"
#include "ui/MainWindow.h"
#include "ui/frmMain.h"

namespace {

using testing_support::TempDatabase;

class SilentDialogs final : public ui::Dialogs {
  public:
    ui::MsgBoxResult MsgBox(const std::string&, ui::MsgBoxButtons, ui::MsgBoxIcon) override {
        return ui::MsgBoxResult::Ok;
    }
    void SetMousePointer(ui::MousePointer) override {}
};

ui::FormEnvironment Environment(const TempDatabase& database) {
    static store::BuiltinHive hive = store::BuiltinHive::WithOwnStore();
    ui::FormEnvironment environment;
    environment.programFolder = database.Folder();
    environment.registry = &hive;
    environment.createConnection = [] { return std::make_unique<store::SqliteConnection>(); };
    environment.decimalSeparator = ",";
    return environment;
}

// A database holding `rows` random rows made by the program's own generator.
std::unique_ptr<TempDatabase> DatabaseWithRows(int rows) {
    auto database = std::make_unique<TempDatabase>();
    rules::ClockSeededRandom random;
    std::string sql = "begin;";
    for (int row = 0; row < rows; ++row) {
        sql += "insert into tblLotterySeries (BallNumberList) values ('" +
               rules::RandomRow(random, false) + "');";
    }
    database->Exec(sql + "commit;");
    return database;
}

// A loaded window state over `rows` random rows, with a simulated draw typed in.
struct LoadedState {
    explicit LoadedState(int rows)
        : database(DatabaseWithRows(rows)), form(dialogs, Environment(*database)) {
        form.Form_Load();
        rules::ClockSeededRandom random;
        const rules::SimulatedDraw draw = rules::SimulateDraw(random);
        form.txtDrawnNumberList.Text = draw.drawnNumberList;
        form.txtAdditionalNumber.Text = std::to_string(draw.additionalNumber);
    }

    std::unique_ptr<TempDatabase> database;
    SilentDialogs dialogs;
    ui::frmMain form;
};

void BM_Evaluate(benchmark::State& state) {
    LoadedState window(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        window.form.cmdEvaluate_Click();
        benchmark::DoNotOptimize(window.form.txtOutput.Text.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Evaluate)
    ->Arg(1000)
    ->Arg(8000)
    ->Arg(32767)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

// The evaluation alone: no look whether the table changed, no write to the window.
void BM_EvaluateRows(benchmark::State& state) {
    LoadedState window(static_cast<int>(state.range(0)));
    const rules::StoredRows& rows = window.form.StoredRows();
    const rules::Draw draw(window.form.txtDrawnNumberList.Text,
                           window.form.txtAdditionalNumber.Text);
    for (auto _ : state) {
        rules::DrawReport report = rules::EvaluateRows(rows, draw);
        benchmark::DoNotOptimize(report.text.data());
    }
}
BENCHMARK(BM_EvaluateRows)->Arg(32767)->Unit(benchmark::kMicrosecond);

void BM_LiteralEvaluate(benchmark::State& state) {
    LoadedState window(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        testing_support::LiteralResult result = testing_support::LiteralEvaluation(
            *window.form.mConnection, window.form.txtDrawnNumberList.Text,
            window.form.txtAdditionalNumber.Text);
        benchmark::DoNotOptimize(result.report.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LiteralEvaluate)
    ->Arg(1000)
    ->Arg(8000)
    ->Arg(32767)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

double PeakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// "Chancen": the exact odds of every row over every draw, the box answered at once. Peak memory
// is the process's, the 32,767 rows of the benchmarks before it included.
void BM_Odds(benchmark::State& state) {
    LoadedState window(static_cast<int>(state.range(0)));
    for (auto _ : state) window.form.lblChances_Click();
    state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}
BENCHMARK(BM_Odds)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_SimulateClick(benchmark::State& state) {
    LoadedState window(static_cast<int>(state.range(0)));
    // The window has drawn before: the rows are read and the winner tables built once after
    // every change of the table (BM_FirstSimulateClick measures that click).
    window.form.txtNewSeries[0].Text = "2";
    window.form.cmdGenerateRandom_Click();
    for (auto _ : state) {
        window.form.txtNewSeries[0].Text = "9999";
        window.form.cmdResetStat_Click();
        window.form.cmdGenerateRandom_Click();
        if (window.form.txtNoDraws.Text != "9999") state.SkipWithError("not 9999 draws");
    }
    state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}
BENCHMARK(BM_SimulateClick)
    ->Arg(1000)
    ->Arg(32767)
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);

// The same click through the window, with "Verlauf" closed (0) or open (1) and drawn at once:
// the course is kept either way; open, the window follows and draws it.
void BM_SimulateClickWithCourse(benchmark::State& state) {
    std::unique_ptr<TempDatabase> database = DatabaseWithRows(32767);
    ui::MainWindow window(Environment(*database));
    window.Load();
    const bool open = state.range(0) != 0;
    if (open) window.ShowCourse();
    auto* draw = static_cast<QPushButton*>(window.Widget(ui::ControlId::cmdGenerateRandom));
    draw->click();  // the rows read and the winner tables built
    for (auto _ : state) {
        state.PauseTiming();
        window.Form().txtNewSeries[0].Text = "9999";
        window.Form().cmdResetStat_Click();
        window.Refresh();
        state.ResumeTiming();
        draw->click();
        if (open) benchmark::DoNotOptimize(window.Course()->grab());
    }
    if (window.Form().txtNoDraws.Text != "9999") state.SkipWithError("not 9999 draws");
}
BENCHMARK(BM_SimulateClickWithCourse)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(10)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);

// Drawing "Verlauf" (640 x 420) after 10, 1,000 and 32,767 draws over 1,000 rows.
void BM_DrawCourse(benchmark::State& state) {
    std::unique_ptr<TempDatabase> database = DatabaseWithRows(1000);
    ui::MainWindow window(Environment(*database));
    window.Load();
    window.ShowCourse();
    auto* draw = static_cast<QPushButton*>(window.Widget(ui::ControlId::cmdGenerateRandom));
    for (int left = static_cast<int>(state.range(0)); left > 0; left -= 9999) {
        window.Form().txtNewSeries[0].Text = std::to_string(std::min(left, 9999));
        window.Refresh();
        draw->click();
    }
    for (auto _ : state) benchmark::DoNotOptimize(window.Course()->Plot()->grab());
    if (window.Form().Course().Draws() != static_cast<std::size_t>(state.range(0))) {
        state.SkipWithError("draws missing");
    }
}
BENCHMARK(BM_DrawCourse)->Arg(10)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

// The first click after the table changed: the rows are read again and the tables built.
void BM_FirstSimulateClick(benchmark::State& state) {
    LoadedState window(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        window.database->Exec(
            "insert into tblLotterySeries (BallNumberList) values ('1,2,3,4,5,6');"
            "delete from tblLotterySeries where BallNumberList = '1,2,3,4,5,6'");
        window.form.txtNewSeries[0].Text = "9999";
        window.form.cmdResetStat_Click();
        state.ResumeTiming();
        window.form.cmdGenerateRandom_Click();
    }
}
BENCHMARK(BM_FirstSimulateClick)->Arg(32767)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_StoreRandomRows(benchmark::State& state) {
    LoadedState window(0);
    window.form.chkInDB.Value = 1;
    window.form.chkInDB_Click();
    window.form.txtSeriesCount.Text = std::to_string(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        window.form.cmdDelete_Click();
        state.ResumeTiming();
        window.form.cmdGenerateRandom_Click();
    }
    if (window.database->RowCount() != state.range(0)) state.SkipWithError("rows missing on disk");
}
BENCHMARK(BM_StoreRandomRows)
    ->Arg(32767)
    ->Iterations(1)
    ->Repetitions(5)
    ->Unit(benchmark::kMillisecond);

void BM_ListRows(benchmark::State& state) {
    std::unique_ptr<TempDatabase> database = DatabaseWithRows(static_cast<int>(state.range(0)));
    ui::MainWindow window(Environment(*database));
    window.Load();
    auto* list = static_cast<QPushButton*>(window.Widget(ui::ControlId::cmdShowSeries));
    for (auto _ : state) {
        state.PauseTiming();
        window.Form().txtOutput.Text.clear();
        window.Refresh();
        state.ResumeTiming();
        list->click();
    }
}
BENCHMARK(BM_ListRows)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_Startup(benchmark::State& state) {
    std::unique_ptr<TempDatabase> database = DatabaseWithRows(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ui::MainWindow window(Environment(*database));
        window.SetMsgBoxHook([](const std::string&, ui::MsgBoxButtons, ui::MsgBoxIcon) {
            return ui::MsgBoxResult::Ok;
        });
        if (!window.Load()) state.SkipWithError("start-up failed");
    }
}
BENCHMARK(BM_Startup)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace
