#include "rules/DrawReport.h"

#include <vector>

#include "base/Limits.h"
#include "base/NumberText.h"
#include "rules/Stake.h"

namespace rules {

DrawReport EvaluateRows(const StoredRows& rows, const Draw& draw) {
    DrawReport report;
    if (rows.Texts().empty()) {
        report.text = kNoRowsFound;
        return report;
    }
    // Ordinals are 16-bit: a row beyond them has no sheet and box to report.
    if (rows.Texts().size() > static_cast<std::size_t>(base::kMostRows)) {
        base::ThrowTooManyRows();
    }
    report.noRows = false;
    // Kept from draw to draw: allocating it anew cost a click at the limit a seventh of its time.
    static thread_local std::vector<std::uint32_t> candidates;
    candidates.clear();
    draw.Candidates(rows.Keys(), candidates);
    for (const std::uint32_t index : candidates) {
        const RowResult result = draw.Evaluate(rows.Texts()[index], rows.Keys()[index]);
        if (result.hits > 2) {
            std::int16_t box = static_cast<std::int16_t>(index + 1);
            std::int16_t sheet = 0;
            GetSheetAndBox(box, sheet);
            report.total = base::CheckedAdd(report.total, result.prize, "Die Gewinnsumme");
            AppendReportLine(report.text, sheet, box, result);
            ++report.winningRows;
        }
    }
    if (report.total < 1) {
        report.text = kNoWin;
    } else {
        report.text += TotalLines(report.total);
    }
    return report;
}

std::string DrawReport::Summary() const {
    if (noRows) return std::string(kNoRowsFound);
    if (total < 1) return std::string(kNoWin);
    return "Gewonnene Summe (ca.): " + base::WholeNumberText(total) + " EUR, " +
           std::to_string(winningRows) + (winningRows == 1 ? " Gewinnreihe." : " Gewinnreihen.");
}

}  // namespace rules
