#include "ui/frmMain.h"

#include <cmath>
#include <limits>

#include "base/Errors.h"
#include "base/Limits.h"
#include "base/NumberText.h"
#include "rules/Assumptions.h"
#include "rules/Evaluation.h"
#include "rules/RowList.h"
#include "rules/Stake.h"
#include "store/platform/DatabaseFile.h"
#include "store/platform/DriverProbe.h"
#include "store/platform/OwnDatabase.h"
#include "store/sqlite/SpecialFiles.h"

namespace ui {

namespace {

FormEnvironment WithRandomSource(FormEnvironment environment) {
    if (!environment.random) environment.random = std::make_shared<rules::ClockSeededRandom>();
    return environment;
}

}  // namespace

frmMain::frmMain(Dialogs& dialogs, FormEnvironment environment)
    : mDialogs(dialogs),
      mEnvironment(WithRandomSource(std::move(environment))),
      mRandom(*mEnvironment.random) {
    for (const ControlSpec& spec : kControls) {
        ControlState& control = Control(spec.id);
        control.Text = std::string(spec.caption);
        control.Enabled = spec.enabled;
        control.Value = spec.value;
    }
}

bool frmMain::Form_Load() {
    const std::string databasePath =
        store::LocateDatabase(mEnvironment.programFolder, mEnvironment.userDataHome);
    if (std::optional<store::SpecialFile> special = store::SpecialFileAt(databasePath)) {
        throw base::DatabaseError(store::SpecialFileMessage(*special));
    }
    if (!store::IsOrdinaryFile(databasePath)) {
        mDialogs.MsgBox(
            "Access-Datenbank " + databasePath + " nicht gefunden, Programm wird beendet.",
            MsgBoxButtons::Ok, MsgBoxIcon::Error);
        return false;
    }
    const std::string connectionText =
        store::ProbeConnectionText(*mEnvironment.registry, databasePath);
    if (connectionText.empty()) {
        mDialogs.MsgBox("Kein Access-Treiber installiert, Programm wird beendet.",
                        MsgBoxButtons::Ok, MsgBoxIcon::Error);
        return false;
    }
    mConnection = mEnvironment.createConnection();
    mConnection->Open(connectionText);
    mTable = std::make_unique<store::TicketTable>(*mConnection);
    SetSeriesCount(mTable->Open(databasePath));
    ShowStake();
    if (const std::string notice = mConnection->ReadOnlyNotice(); !notice.empty()) {
        mDialogs.MsgBox(notice, MsgBoxButtons::Ok, MsgBoxIcon::Warning);
    }
    return true;
}

void frmMain::FollowOtherPrograms() {
    const std::optional<std::int16_t> rows = mTable->CountIfChangedElsewhere();
    if (!rows || *rows == mSeriesCount) return;
    SetSeriesCount(*rows);
    ShowStake();
}

void frmMain::SetSeriesCount(std::int16_t rows) {
    mSeriesCount = rows;
    txtCurrentSeriesNumber.Write(base::WholeNumberText(mSeriesCount));
}

void frmMain::Form_Unload() {
    mTable.reset();
    if (mConnection) mConnection->Close();
    mConnection.reset();
}

void frmMain::chkInDB_Click() {
    if (chkInDB.Value != 0) {
        txtSeriesCount.Enabled = true;
        chkUnpopularNums.Enabled = true;
    } else {
        txtSeriesCount.Enabled = false;
        chkUnpopularNums.Enabled = false;
        txtSeriesCount.Write("1");
    }
}

void frmMain::cmdAddSeries_Click() {
    KeepingCountTrue([this] { AddSeries(); });
}

void frmMain::txtNewSeries_KeyDown(std::int16_t /*Index*/, std::int16_t& KeyCode,
                                   std::int16_t /*Shift*/) {
    if (KeyCode == 13) KeepingCountTrue([this] { AddSeries(); });
}

void frmMain::cmdEvaluate_Click() {
    KeepingCountTrue([this] {
        EvaluateSeries(false);
        if (!mEvaluationOutcome.empty()) mDialogs.Announce(mEvaluationOutcome);
    });
}

void frmMain::cmdGenerateRandom_Click() {
    std::int16_t repeatCount = 1;
    if (chkInDB.Value == 0) {
        const std::string& firstNumber = txtNewSeries[0].Text;
        if (base::IsNumeric(firstNumber, DecimalSeparator())) {
            repeatCount = base::ToInt16(firstNumber, DecimalSeparator());
        }
    }
    // The window does not repaint during the click, so only the last draw's report is ever
    // seen: the draws before it only add to the running totals.
    mRowsCheckedThisClick = false;
    KeepingCountTrue([&] {
        for (int pass = 1; pass <= repeatCount; ++pass) GenerateSeries(pass < repeatCount);
    });
}

void frmMain::GenerateSeries(bool bTotalsOnly) {
    const std::string& countText = txtSeriesCount.Text;
    if (countText.empty() || !base::IsNumeric(countText, DecimalSeparator())) {
        mDialogs.MsgBox("Bitte erst gewünschte Zahl von Ziehungen eingeben.", MsgBoxButtons::Ok,
                        MsgBoxIcon::Warning);
        SetFocus(ControlId::txtSeriesCount);
        return;
    }
    mDialogs.SetMousePointer(MousePointer::Hourglass);
    const std::int16_t count = base::ToInt16(countText, DecimalSeparator());
    const bool storeRows = chkInDB.Value != 0;
    const bool unpopularOnly = storeRows && chkUnpopularNums.Value != 0;
    mRandom.Reseed();
    if (storeRows) {
        StoreRandomRows(count, unpopularOnly);
        ShowStake();
        txtOutput.Write(base::WholeNumberText(count) + " Zahlenreihe(n) hinzugefügt.");
        mDialogs.Announce(txtOutput.Text + " " + CountAndStakeText());
    } else {
        rules::SimulatedDraw simulated;
        for (int draw = 1; draw <= count; ++draw) {
            simulated = rules::SimulateDraw(mRandom);
            txtAdditionalNumber.Write(base::WholeNumberText(simulated.additionalNumber));
            txtDrawnNumberList.Write(simulated.drawnNumberList);
        }
        // Only the click's last draw is ever seen: a draw before it adds what it won to the
        // running totals, counted from the winner tables where they can count it.
        if (!bTotalsOnly || count < 1 || !AddWinningsToTotals(simulated)) EvaluateSeries(true);
        if (!bTotalsOnly && !mEvaluationOutcome.empty()) {
            mDialogs.Announce(
                "Ziehung " + txtDrawnNumberList.Text + ", Zusatzzahl " + txtAdditionalNumber.Text +
                ": " + mEvaluationOutcome + " Ziehungen: " + txtNoDraws.Text +
                ", Ausgaben: " + txtSpentAmount.Text + ", Einnahmen: " + txtWonAmount.Text + ".");
        }
    }
    mDialogs.SetMousePointer(MousePointer::Default);
}

void frmMain::StoreRandomRows(std::int16_t count, bool unpopularOnly) {
    FollowOtherPrograms();
    if (count < 1) return;
    const std::int16_t countBefore = mSeriesCount;
    std::vector<std::string> made;
    made.reserve(static_cast<std::size_t>(count));
    try {
        mTable->BeginBatch();
        for (int row = 1; row <= count; ++row) {
            std::string next = rules::RandomRow(mRandom, unpopularOnly);
            InsertSeries(next);
            made.push_back(std::move(next));
        }
        mTable->CommitBatch();
    } catch (...) {
        const std::optional<std::size_t> kept = mTable->KeepRowsMadeBefore(made);
        // The count follows the table; where the file cannot be read, what the batch kept.
        if (!FollowTable()) {
            SetSeriesCount(static_cast<std::int16_t>(countBefore + kept.value_or(0)));
            ShowStake();
        }
        if (kept) {
            txtOutput.Write(base::WholeNumberText(static_cast<std::int64_t>(*kept)) +
                            " Zahlenreihe(n) hinzugefügt.");
        }
        // The program's own errors get what was stored added; any other passes as it is.
        try {
            throw;
        } catch (const base::AppError& failure) {
            throw base::DatabaseError(std::string(failure.what()) + " " +
                                      StoredOfBatchText(kept, count));
        }
    }
}

std::string frmMain::StoredOfBatchText(std::optional<std::size_t> kept, std::int16_t count) {
    const std::string all = base::WholeNumberText(count);
    if (!kept) return "Wie viele Zahlenreihen gespeichert wurden, ließ sich nicht feststellen.";
    if (*kept == static_cast<std::size_t>(count)) {
        return count == 1 ? "Die Zahlenreihe wurde trotzdem gespeichert."
                          : "Alle " + all + " Zahlenreihen wurden trotzdem gespeichert.";
    }
    return "Gespeichert wurden " + base::WholeNumberText(static_cast<std::int64_t>(*kept)) +
           " der " + all + (count == 1 ? " Zahlenreihe." : " Zahlenreihen.");
}

void frmMain::KeepingCountTrue(const std::function<void()>& command) {
    try {
        command();
    } catch (const base::AppError& failure) {
        if (!mTable) throw;
        try {
            SetSeriesCount(mTable->Count());
            ShowStake();
        } catch (const base::DatabaseError&) {
            throw base::DatabaseError(std::string(failure.what()) + " Die Anzahl Kästchen (" +
                                      txtCurrentSeriesNumber.Text +
                                      ") ist der zuletzt bekannte Stand: wie viele Zahlenreihen "
                                      "die Datenbank jetzt enthält, ließ sich nicht lesen.");
        } catch (const base::AppError&) {
            // More rows than a count holds: the program says so wherever it counts them.
        }
        throw;
    }
}

bool frmMain::FollowTable() noexcept {
    try {
        SetSeriesCount(mTable->Count());
        ShowStake();
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void frmMain::cmdShowSeries_Click() {
    KeepingCountTrue([this] {
        mDialogs.SetMousePointer(MousePointer::Hourglass);
        // The list is built aside and shown whole: one copy instead of one per row.
        const std::vector<std::string>& rows = StoredRows().Texts();
        txtOutput.Write(rules::RowListText(rows));
        mDialogs.SetMousePointer(MousePointer::Default);
        // How many, never the list itself: it may run to 32,767 lines.
        mDialogs.Announce(rows.empty() ? std::string(rules::kNoRowsFound)
                          : rows.size() == 1
                              ? std::string("1 Zahlenreihe aufgelistet.")
                              : std::to_string(rows.size()) + " Zahlenreihen aufgelistet.");
    });
}

void frmMain::cmdDelete_Click() {
    KeepingCountTrue([this] {
        if (mDialogs.MsgBox("Alle Zahlenreihen in der Datenbank werden gelöscht. Fortfahren?",
                            MsgBoxButtons::OkCancel, MsgBoxIcon::Question) != MsgBoxResult::Ok) {
            mDialogs.Announce("Nichts gelöscht.");
            return;
        }
        FollowOtherPrograms();
        // The statement goes first, so a delete that fails leaves the count and the window as they
        // were. SQLite may report a failure after the rows are gone, though: the file says.
        std::string failureAfterDelete;
        try {
            mTable->DeleteAll();
        } catch (const base::DatabaseError& failure) {
            FollowTable();
            if (mSeriesCount != 0) throw;
            failureAfterDelete = failure.what();
        }
        SetSeriesCount(0);
        txtOutput.Write("Alle Zahlenreihen gelöscht.");
        txtSpentAmount.Write("0");
        txtWonAmount.Write("0");
        txtNoDraws.Write("0");
        lblEuroUsed.Write("");
        mDialogs.Announce(txtOutput.Text + " " + CountAndStakeText());
        if (!failureAfterDelete.empty()) {
            throw base::DatabaseError(failureAfterDelete +
                                      " Alle Zahlenreihen wurden trotzdem gelöscht.");
        }
    });
}

void frmMain::cmdResetStat_Click() {
    txtNoDraws.Write("0");
    txtSpentAmount.Write("0");
    txtWonAmount.Write("0");
    mDialogs.Announce("Ziehungen, Ausgaben und Einnahmen auf 0 gesetzt.");
}

void frmMain::lblAssumptions_Click() {
    mDialogs.MsgBox(rules::AssumptionsText(), MsgBoxButtons::Ok, MsgBoxIcon::Information);
}

void frmMain::AddSeries() {
    const std::size_t upperBound = txtNewSeries.size() - 1;
    std::string row;
    for (std::size_t i = 0; i <= upperBound; ++i) {
        const std::string& number = txtNewSeries[i].Text;
        if (number.empty()) {
            mDialogs.MsgBox("Bitte erst Zahlenreihe eingeben.", MsgBoxButtons::Ok,
                            MsgBoxIcon::Warning);
            SetFocus(NewSeriesBox(static_cast<int>(i)));
            return;
        }
        if (i > 0) row += ",";
        row += number;
    }
    FollowOtherPrograms();
    mFailureAfterChange.clear();
    InsertSeries(row);
    for (ControlState& box : txtNewSeries) box.Write("");
    SetFocus(NewSeriesBox(0));
    ShowStake();
    mDialogs.Announce(CountAndStakeText());
    if (!mFailureAfterChange.empty()) {
        throw base::DatabaseError(std::exchange(mFailureAfterChange, std::string()) +
                                  " Die Zahlenreihe wurde trotzdem gespeichert.");
    }
}

void frmMain::EvaluateSeries(bool bIsSimulation) {
    mEvaluationOutcome.clear();
    if (txtDrawnNumberList.Text.empty()) {
        mDialogs.MsgBox("Bitte zuerst gezogene Zahlen eingeben.", MsgBoxButtons::Ok,
                        MsgBoxIcon::Warning);
        SetFocus(ControlId::txtDrawnNumberList);
        return;
    }
    if (txtAdditionalNumber.Text.empty()) {
        mDialogs.MsgBox("Bitte Zusatzzahl eingeben.", MsgBoxButtons::Ok, MsgBoxIcon::Warning);
        SetFocus(ControlId::txtAdditionalNumber);
        return;
    }
    // The report is built aside and shown whole, so a failure never leaves half a report.
    txtOutput.Write("");
    const rules::Draw draw(txtDrawnNumberList.Text, txtAdditionalNumber.Text);
    std::string report;
    std::int32_t total = 0;
    int winningRows = 0;

    const store::SeriesCache& rows = StoredRows();
    if (rows.Texts().empty()) {
        report = rules::kNoRowsFound;
    } else {
        // Only the rows that can win are looked at one by one, in table order.
        mCandidateRows.clear();
        draw.Candidates(rows.Keys(), mCandidateRows);
        for (const std::uint32_t index : mCandidateRows) {
            if (index >= static_cast<std::uint32_t>(base::kMostRows)) break;
            const rules::RowResult result = draw.Evaluate(rows.Texts()[index], rows.Keys()[index]);
            if (result.hits > 2) {
                std::int16_t box = static_cast<std::int16_t>(index + 1);
                std::int16_t sheet = 0;
                rules::GetSheetAndBox(box, sheet);
                total = base::CheckedAdd(total, result.prize, "Die Gewinnsumme");
                rules::AppendReportLine(report, sheet, box, result);
                ++winningRows;
            }
        }
        if (rows.Texts().size() > static_cast<std::size_t>(base::kMostRows)) {
            base::ThrowTooManyRows();
        }
        if (total < 1) {
            report = rules::kNoWin;
        } else {
            report += rules::TotalLines(total);
        }
    }
    const std::size_t caret = total >= 1 ? report.size() : 0;  // a win shows its total
    const bool noRows = rows.Texts().empty();
    txtOutput.Write(std::move(report), caret);

    const double stake = ShowStake();
    if (bIsSimulation) AddToRunningTotals(stake, total);
    mEvaluationOutcome = noRows      ? std::string(rules::kNoRowsFound)
                         : total < 1 ? std::string(rules::kNoWin)
                                     : "Gewonnene Summe (ca.): " + base::WholeNumberText(total) +
                                           " EUR, " + std::to_string(winningRows) +
                                           (winningRows == 1 ? " Gewinnreihe." : " Gewinnreihen.");
}

bool frmMain::AddWinningsToTotals(const rules::SimulatedDraw& draw) {
    txtOutput.Write("");  // as the evaluation does first; the last draw's report replaces it
    // No other event runs during the click: the rows checked at its first draw stay current.
    if (!mRowsCheckedThisClick) {
        StoredRows();
        mRowsCheckedThisClick = true;
    }
    const std::optional<std::int32_t> won = mTable->WonBy(draw);
    if (!won) return false;
    RunningTotals next;
    try {
        next = NextRunningTotals(rules::StakeFor(mSeriesCount), *won);
    } catch (const base::AppError&) {
        return false;  // the evaluation reports it, as it fails the same way
    }
    ShowStake();
    ShowRunningTotals(next);
    return true;
}

void frmMain::AddToRunningTotals(double stake, std::int32_t won) {
    ShowRunningTotals(NextRunningTotals(stake, won));
}

frmMain::RunningTotals frmMain::NextRunningTotals(double stake, std::int32_t won) const {
    const std::string& separator = DecimalSeparator();
    RunningTotals next;
    next.draws = base::CheckedAdd(base::ToInt16(txtNoDraws.Text, separator), std::int16_t{1},
                                  "Die Zahl der Ziehungen");
    next.spent = base::ToDouble(txtSpentAmount.Text, separator) + stake;
    if (!std::isfinite(next.spent)) {
        throw base::OverflowError("Überlauf: Die Ausgaben sind zu groß für eine Gleitkommazahl.");
    }
    next.won = base::CheckedAdd(base::ToInt32(txtWonAmount.Text, separator), won,
                                "Die Summe der Einnahmen");
    return next;
}

void frmMain::ShowRunningTotals(const RunningTotals& totals) {
    txtNoDraws.Write(base::WholeNumberText(totals.draws));
    txtSpentAmount.Write(base::NumberText(totals.spent, DecimalSeparator()));
    txtWonAmount.Write(base::WholeNumberText(totals.won));
}

std::string frmMain::CountAndStakeText() const {
    std::string text = "Anzahl Kästchen: " + txtCurrentSeriesNumber.Text;
    const std::string_view shown = lblEuroUsed.Text;
    if (shown.starts_with("= ")) text += ", Einsatz " + std::string(shown.substr(2));
    return text + ".";
}

double frmMain::ShowStake() {
    const double stake = rules::StakeFor(mSeriesCount);
    lblEuroUsed.Write("= " + base::NumberText(stake, DecimalSeparator()) + " Euro");
    return stake;
}

void frmMain::InsertSeries(const std::string& sBallNumberList) {
    if (mSeriesCount == base::kMostRows) base::ThrowTableFull();
    // The program never stores a row it would refuse to read back.
    if (sBallNumberList.size() > base::kLongestRow) {
        throw base::OverflowError(
            "Überlauf: Die Zahlenreihe" +
            base::RowLengthText(static_cast<std::int64_t>(sBallNumberList.size())) +
            " Sie wurde nicht gespeichert.");
    }
    try {
        mTable->Insert(sBallNumberList);
    } catch (const base::DatabaseError& failure) {
        // The insert may have been committed before SQLite reported the failure (an unlock
        // after the commit that fails): the file says. (Within a batch it never was.)
        if (!mTable->HoldsLast(sBallNumberList, static_cast<std::int16_t>(mSeriesCount + 1))) {
            throw;  // the command that stores it counts the table again
        }
        mFailureAfterChange = failure.what();
    }
    SetSeriesCount(static_cast<std::int16_t>(mSeriesCount + 1));
}

std::unique_ptr<store::Recordset> frmMain::OpenSeriesRecordset() { return mTable->List(); }

const store::SeriesCache& frmMain::StoredRows() {
    FollowOtherPrograms();
    return mTable->Rows();
}

}  // namespace ui
