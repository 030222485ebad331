#include "tests/support/LiteralEvaluation.h"

#include "rules/Evaluation.h"
#include "rules/Stake.h"
#include "store/sqlite/RowStatements.h"

namespace testing_support {

LiteralResult LiteralEvaluation(store::Connection& connection, const std::string& drawnNumberList,
                                const std::string& additionalNumber) {
    const rules::Draw draw(drawnNumberList, additionalNumber);
    LiteralResult result;
    std::unique_ptr<store::Recordset> rows = connection.Execute(std::string(store::kListStatement));
    if (rows->Eof()) {
        result.report = rules::kNoRowsFound;
        return result;
    }
    std::int16_t ordinal = 0;
    for (; !rows->Eof(); rows->MoveNext()) {
        ++ordinal;
        const rules::RowResult row = draw.Evaluate(rows->Field(store::kListField).Text());
        if (row.hits > 2) {
            std::int16_t box = ordinal;
            std::int16_t sheet = 0;
            rules::GetSheetAndBox(box, sheet);
            result.total += row.prize;
            result.report = result.report + rules::ReportLine(sheet, box, row);
        }
    }
    rows->Close();
    result.report = result.total < 1 ? std::string(rules::kNoWin)
                                     : result.report + rules::TotalLines(result.total);
    return result;
}

}  // namespace testing_support
