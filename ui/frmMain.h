#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "rules/BalanceCourse.h"
#include "rules/RandomDraw.h"
#include "rules/RunningTotals.h"
#include "rules/StoredRows.h"
#include "store/platform/RegistryApi.h"
#include "store/sqlite/Connection.h"
#include "store/sqlite/RowTable.h"
#include "ui/ControlState.h"
#include "ui/ControlTable.h"
#include "ui/Dialogs.h"

namespace ui {

// What the start-up sequence needs from outside the window.
struct FormEnvironment {
    std::string programFolder;  // the folder that holds the program
    // The user's data folder, for the rows of a program installed for the whole machine.
    std::string userDataHome;
    // The user's folder for temporary files, where a program started from inside a zip archive
    // runs without its Lotto.mdb; empty where that cannot happen.
    std::string temporaryFolder;
    store::RegistryApi* registry = nullptr;
    std::function<std::unique_ptr<store::Connection>()> createConnection;
    std::string decimalSeparator = ",";           // the user's locale's
    std::shared_ptr<rules::RandomSource> random;  // a clock-seeded generator when empty
};

// The main window as plain state and handlers. The Qt layer feeds user input into the controls,
// calls a handler and draws the controls back when it returns; handlers throw base::AppError
// for the failures the user is told about.
class frmMain {
  public:
    frmMain(Dialogs& dialogs, FormEnvironment environment);
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // Event handlers.

    // The start-up sequence. Returns false when the program has to end (the database file or a
    // driver is missing; the user has been told). Throws when the database cannot be used.
    bool Form_Load();
    void Form_Unload();
    void chkInDB_Click();
    void cmdAddSeries_Click();
    // Acts on Enter (key code 13) in any of the six boxes, whatever the shift state; the key
    // goes on to the box as usual.
    void txtNewSeries_KeyDown(std::int16_t Index, std::int16_t& KeyCode, std::int16_t Shift);
    void cmdEvaluate_Click();
    // Runs the draw command: in simulation mode as many times as the first number box says.
    void cmdGenerateRandom_Click();
    // Lists every stored row with its sheet and box.
    void cmdShowSeries_Click();
    // Deletes all rows once the user confirms.
    void cmdDelete_Click();
    void cmdResetStat_Click();
    void lblAssumptions_Click();
    // Shows the exact odds of the stored rows over every possible draw.
    void lblChances_Click();

    // Procedures the handlers share.

    // Stores the six typed numbers as one row, or warns and puts the focus on the first empty
    // box.
    void AddSeries();
    // Evaluates every stored row against the typed draw; a simulated draw also advances the
    // three running totals.
    void EvaluateSeries(bool bIsSimulation);
    // One pass of the draw command: txtSeriesCount random rows stored (store mode) or
    // txtSeriesCount draws simulated and the last evaluated (simulation mode). With bTotalsOnly,
    // a later pass of the same click will replace the report, so this one only adds to the
    // running totals.
    void GenerateSeries(bool bTotalsOnly = false);

    // Shows the stake of all stored rows in lblEuroUsed and returns it.
    double ShowStake();
    // The row count and the stake as the window shows them, in one sentence for a screen
    // reader: "Anzahl Kästchen: 13, Einsatz 10,25 Euro." (no stake while the label is empty).
    std::string CountAndStakeText() const;
    // Stores one row and counts it; the count rises only once the row is stored. Throws when it
    // was not; returns what SQLite reported after the row reached the file.
    store::WriteResult InsertSeries(const std::string& sBallNumberList);
    // The stored rows in table order, read again when this or another program changed the
    // table; the count follows changes made by other programs.
    const rules::StoredRows& StoredRows();
    // The balance after every simulated draw since the running totals were last set to 0.
    const rules::BalanceCourse& Course() const { return mCourse; }

    ControlState& Control(ControlId id) { return mControls[static_cast<std::size_t>(id)]; }
    const ControlState& Control(ControlId id) const {
        return mControls[static_cast<std::size_t>(id)];
    }
    void SetFocus(ControlId id) { ActiveControl = id; }

  private:
    std::array<ControlState, kControlCount> mControls;

  public:
    // The controls that hold the program's working state, by name.
    std::span<ControlState, kNewSeriesBoxCount> txtNewSeries{mControls.data(), kNewSeriesBoxCount};
    ControlState& txtSeriesCount = Control(ControlId::txtSeriesCount);
    ControlState& chkInDB = Control(ControlId::chkInDB);
    ControlState& txtDrawnNumberList = Control(ControlId::txtDrawnNumberList);
    ControlState& txtAdditionalNumber = Control(ControlId::txtAdditionalNumber);
    ControlState& txtCurrentSeriesNumber = Control(ControlId::txtCurrentSeriesNumber);
    ControlState& lblEuroUsed = Control(ControlId::lblEuroUsed);
    ControlState& txtNoDraws = Control(ControlId::txtNoDraws);
    ControlState& txtSpentAmount = Control(ControlId::txtSpentAmount);
    ControlState& txtWonAmount = Control(ControlId::txtWonAmount);
    ControlState& txtOutput = Control(ControlId::txtOutput);
    ControlState& chkUnpopularNums = Control(ControlId::chkUnpopularNums);

    // The control that has the keyboard focus.
    ControlId ActiveControl = ControlId::txtNewSeries0;

    std::unique_ptr<store::Connection> mConnection;
    std::int16_t mSeriesCount = 0;

    const std::string& DecimalSeparator() const { return mEnvironment.decimalSeparator; }

  private:
    // All three totals are computed before any is written, so an overflow changes none.
    void AddToRunningTotals(double stake, std::int32_t won);
    rules::RunningTotals NextRunningTotals(double stake, std::int32_t won) const;
    // Shows the totals after one more simulated draw and adds the draw to the course.
    void ShowRunningTotals(const rules::RunningTotals& totals);
    // The three running totals back to 0, the course emptied with them.
    void ClearRunningTotals();
    // Simulates `count` draws into the draw boxes and evaluates the last (GenerateSeries).
    void SimulateDraws(std::int16_t count, bool bTotalsOnly);
    // What EvaluateSeries(true) does to the window for a simulated draw, but for the report:
    // adds what the draw won, counted from the winner tables, to the running totals. False,
    // with nothing changed, when the draw has to be evaluated in full.
    bool AddWinningsToTotals(const rules::SimulatedDraw& draw);
    // Stores `count` random rows in one transaction. After a failure the rows made before it
    // are kept, each once, the count follows the table, and the message says how many rows
    // were stored.
    void StoreRandomRows(std::int16_t count, bool unpopularOnly);
    // The count, and the stake with it, as the table says; false, and nothing changed, when the
    // file cannot be read.
    bool FollowTable() noexcept;
    // Runs a command of the window. After a failure the count and the stake follow the table;
    // where the file cannot be read, the message says that the count shown is the last known.
    void KeepingCountTrue(const std::function<void()>& command);
    // Another program may have added or removed rows: the count, and the stake with it, follow
    // the table.
    void FollowOtherPrograms();
    // mSeriesCount and the box that shows it.
    void SetSeriesCount(std::int16_t rows);

    // What the last evaluation found, for the announcement; empty when it warned instead.
    std::string mEvaluationOutcome;
    rules::BalanceCourse mCourse;
    Dialogs& mDialogs;
    FormEnvironment mEnvironment;
    rules::RandomSource& mRandom;
    std::unique_ptr<store::RowTable> mTable;  // over mConnection while it is open
    bool mRowsCheckedThisClick = false;       // for other programs' changes
};

}  // namespace ui
