#include "ui/frmMain.h"

#include <limits>

#include "base/Errors.h"
#include "base/Limits.h"
#include "base/NumberText.h"
#include "rules/Assumptions.h"
#include "rules/DrawReport.h"
#include "rules/Odds.h"
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
        std::string message =
            "Access-Datenbank " + databasePath + " nicht gefunden, Programm wird beendet.";
        if (store::LiesIn(mEnvironment.programFolder, mEnvironment.temporaryFolder)) {
            message +=
                " Bitte das ZIP-Archiv zuerst entpacken und das Programm dann aus dem "
                "entpackten Ordner starten.";
        }
        mDialogs.MsgBox(message, MsgBoxButtons::Ok, MsgBoxIcon::Error);
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
    mTable = std::make_unique<store::RowTable>(*mConnection);
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
        // Outside store mode a click's passes are its draws (the first number box says how
        // many), and a pass evaluates only the last of its txtSeriesCount draws: at 1, every
        // draw of the click counts.
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
    mRandom.Reseed();
    if (chkInDB.Value == 0) {
        SimulateDraws(count, bTotalsOnly);
    } else {
        StoreRandomRows(count, chkUnpopularNums.Value != 0);
        ShowStake();
        txtOutput.Write(base::WholeNumberText(count) + " Zahlenreihe(n) hinzugefügt.");
        mDialogs.Announce(txtOutput.Text + " " + CountAndStakeText());
    }
    mDialogs.SetMousePointer(MousePointer::Default);
}

void frmMain::StoreRandomRows(std::int16_t count, bool unpopularOnly) {
    FollowOtherPrograms();
    if (count < 1) return;
    const std::int16_t countBefore = mSeriesCount;
    const store::WriteResult stored = mTable->InsertBatch(
        count, countBefore, [&] { return rules::RandomRow(mRandom, unpopularOnly); });
    if (!stored.failure) {
        SetSeriesCount(static_cast<std::int16_t>(countBefore + count));
        return;
    }
    // The command counts the table again; where the file cannot be read, this stays.
    SetSeriesCount(static_cast<std::int16_t>(countBefore + stored.rowsKept.value_or(0)));
    ShowStake();
    if (stored.rowsKept) {
        txtOutput.Write(base::WholeNumberText(static_cast<std::int64_t>(*stored.rowsKept)) +
                        " Zahlenreihe(n) hinzugefügt.");
    }
    stored.ThrowIfFailed();
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
    } catch (...) {
        if (mTable) FollowTable();
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
        mDialogs.Announce(rules::RowListSummary(rows.size()));
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
        // The statement goes first, so a delete that fails leaves the count and the window as
        // they were.
        const store::WriteResult deleted = mTable->DeleteAll();
        deleted.ThrowUnlessInFile();
        SetSeriesCount(0);
        txtOutput.Write("Alle Zahlenreihen gelöscht.");
        ClearRunningTotals();
        lblEuroUsed.Write("");
        mDialogs.Announce(txtOutput.Text + " " + CountAndStakeText());
        deleted.ThrowIfFailed();
    });
}

void frmMain::cmdResetStat_Click() {
    ClearRunningTotals();
    mDialogs.Announce("Ziehungen, Ausgaben und Einnahmen auf 0 gesetzt.");
}

void frmMain::lblAssumptions_Click() {
    mDialogs.MsgBox(rules::AssumptionsText(), MsgBoxButtons::Ok, MsgBoxIcon::Information);
}

void frmMain::lblChances_Click() {
    KeepingCountTrue([this] {
        mDialogs.SetMousePointer(MousePointer::Hourglass);
        const std::string odds =
            rules::OddsText(rules::OddsOf(StoredRows().Texts()), DecimalSeparator());
        mDialogs.SetMousePointer(MousePointer::Default);
        mDialogs.MsgBox(odds, MsgBoxButtons::Ok, MsgBoxIcon::Information);
    });
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
    const store::WriteResult stored = InsertSeries(row);
    for (ControlState& box : txtNewSeries) box.Write("");
    SetFocus(NewSeriesBox(0));
    ShowStake();
    mDialogs.Announce(CountAndStakeText());
    stored.ThrowIfFailed();
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
    rules::DrawReport report = rules::EvaluateRows(StoredRows(), draw);
    const std::size_t caret = report.Caret();
    txtOutput.Write(std::move(report.text), caret);

    const double stake = ShowStake();
    if (bIsSimulation) AddToRunningTotals(stake, report.total);
    mEvaluationOutcome = report.Summary();
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

store::WriteResult frmMain::InsertSeries(const std::string& sBallNumberList) {
    store::WriteResult stored = mTable->Insert(sBallNumberList, mSeriesCount);
    stored.ThrowUnlessInFile();  // the command counts the table again
    SetSeriesCount(static_cast<std::int16_t>(mSeriesCount + 1));
    return stored;
}

const rules::StoredRows& frmMain::StoredRows() {
    FollowOtherPrograms();
    return mTable->RowsAsOfLastLook();
}

}  // namespace ui
