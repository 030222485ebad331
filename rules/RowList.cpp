#include "rules/RowList.h"

#include "base/Limits.h"
#include "base/NumberText.h"
#include "rules/Evaluation.h"
#include "rules/Stake.h"

namespace rules {

std::string RowListText(const std::vector<std::string>& rows) {
    if (rows.empty()) return std::string(kNoRowsFound);
    std::string list =
        "Blatt\tKästchen\tZahlenreihe\r\n-----------------------------------------\r\n";
    list.reserve(list.size() + rows.size() * 32);
    for (std::size_t index = 0; index < rows.size(); ++index) {
        if (index == static_cast<std::size_t>(base::kMostRows)) base::ThrowTooManyRows();
        std::int16_t box = static_cast<std::int16_t>(index + 1);
        std::int16_t sheet = 0;
        GetSheetAndBox(box, sheet);
        base::AppendWholeNumber(list, sheet);
        list += '\t';
        base::AppendWholeNumber(list, box);
        list += "\t\t";
        list += rows[index];
        list += "\r\n";
    }
    return list;
}

std::string RowListSummary(std::size_t rows) {
    if (rows == 0) return std::string(kNoRowsFound);
    if (rows == 1) return "1 Zahlenreihe aufgelistet.";
    return std::to_string(rows) + " Zahlenreihen aufgelistet.";
}

}  // namespace rules
