#include "ui/frmMain.h"

#include <limits>

#include "rules/Errors.h"
#include "rules/NumberText.h"
#include "rules/Stake.h"
#include "store/DatabaseFile.h"
#include "store/DriverProbe.h"
#include "store/SeriesStatements.h"

namespace ui {

frmMain::frmMain(Dialogs& dialogs, FormEnvironment environment)
    : mDialogs(dialogs), mEnvironment(std::move(environment)) {
    for (const ControlSpec& spec : kControls) {
        ControlState& control = Control(spec.id);
        control.Text = std::string(spec.caption);
        control.Enabled = spec.enabled;
        control.Value = spec.value;
    }
}

bool frmMain::Form_Load() {
    const std::string databasePath = store::DatabasePath(mEnvironment.programFolder);
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

    std::unique_ptr<store::Recordset> count =
        mConnection->Execute(std::string(store::kCountStatement));
    if (count->Eof()) {
        mSeriesCount = 0;
    } else {
        const double rows = count->Field(store::kCountField).Number();
        if (rows > std::numeric_limits<std::int16_t>::max()) {
            throw rules::OverflowError(
                "Überlauf: Die Datenbank enthält " + rules::NumberText(rows, DecimalSeparator()) +
                " Zahlenreihen; das Programm kann höchstens 32767 verwalten.");
        }
        mSeriesCount = rules::RoundToInt16(rows);
    }
    txtCurrentSeriesNumber.Text = rules::WholeNumberText(mSeriesCount);
    count->Close();
    ShowStake();
    return true;
}

void frmMain::Form_Unload() {
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
        txtSeriesCount.Text = "1";
    }
}

double frmMain::ShowStake() {
    const double stake = rules::StakeFor(mSeriesCount);
    lblEuroUsed.Text = "= " + rules::NumberText(stake, DecimalSeparator()) + " Euro";
    return stake;
}

void frmMain::InsertSeries(const std::string& sBallNumberList) {
    if (mSeriesCount == std::numeric_limits<std::int16_t>::max()) {
        throw rules::OverflowError(
            "Überlauf: Es können höchstens 32767 Zahlenreihen gespeichert "
            "werden; die Zahlenreihe wurde nicht gespeichert.");
    }
    mConnection->Execute(store::InsertStatement(sBallNumberList));
    ++mSeriesCount;
    txtCurrentSeriesNumber.Text = rules::WholeNumberText(mSeriesCount);
}

std::unique_ptr<store::Recordset> frmMain::OpenSeriesRecordset() {
    return mConnection->Execute(std::string(store::kListStatement));
}

}  // namespace ui
