// The simulated draws of the draw command and the running totals they add to.
#include "base/Errors.h"
#include "base/NumberText.h"
#include "rules/Stake.h"
#include "ui/frmMain.h"

namespace ui {

void frmMain::SimulateDraws(std::int16_t count, bool bTotalsOnly) {
    rules::SimulatedDraw simulated;
    for (int draw = 1; draw <= count; ++draw) {
        simulated = rules::SimulateDraw(mRandom);
        txtAdditionalNumber.Write(base::WholeNumberText(simulated.additionalNumber));
        txtDrawnNumberList.Write(simulated.drawnNumberList);
    }
    // Only the click's last draw is ever seen: a draw before it adds what it won to the running
    // totals, counted from the winner tables where they can count it.
    if (!bTotalsOnly || count < 1 || !AddWinningsToTotals(simulated)) EvaluateSeries(true);
    if (!bTotalsOnly && !mEvaluationOutcome.empty()) {
        mDialogs.Announce("Ziehung " + txtDrawnNumberList.Text + ", Zusatzzahl " +
                          txtAdditionalNumber.Text + ": " + mEvaluationOutcome +
                          " Ziehungen: " + txtNoDraws.Text + ", Ausgaben: " + txtSpentAmount.Text +
                          ", Einnahmen: " + txtWonAmount.Text + ".");
    }
}

bool frmMain::AddWinningsToTotals(const rules::SimulatedDraw& draw) {
    txtOutput.Write("");  // as the evaluation does first; the last draw's report replaces it
    // No other event runs during the click: the rows checked at its first draw stay current.
    const rules::StoredRows& rows = mRowsCheckedThisClick ? mTable->RowsAsLastRead() : StoredRows();
    mRowsCheckedThisClick = true;
    const std::optional<std::int32_t> won = rows.WonBy(draw);
    if (!won) return false;
    rules::RunningTotals next;
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

rules::RunningTotals frmMain::NextRunningTotals(double stake, std::int32_t won) const {
    return rules::NextRunningTotals(txtNoDraws.Text, txtSpentAmount.Text, txtWonAmount.Text, stake,
                                    won, DecimalSeparator());
}

void frmMain::ShowRunningTotals(const rules::RunningTotals& totals) {
    txtNoDraws.Write(base::WholeNumberText(totals.draws));
    txtSpentAmount.Write(base::NumberText(totals.spent, DecimalSeparator()));
    txtWonAmount.Write(base::WholeNumberText(totals.won));
    mCourse.Add(totals);
}

void frmMain::ClearRunningTotals() {
    txtNoDraws.Write("0");
    txtSpentAmount.Write("0");
    txtWonAmount.Write("0");
    mCourse.Clear();
}

}  // namespace ui
