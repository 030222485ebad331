#include "rules/RowList.h"

#include "rules/Errors.h"
#include "rules/Evaluation.h"
#include "rules/NumberText.h"
#include "rules/Stake.h"

namespace rules {

void ThrowTooManyRows() {
    throw OverflowError(
        "Überlauf: Die Tabelle enthält mehr als 32767 Zahlenreihen; so viele kann das Programm "
        "nicht zählen.");
}

std::string RowLengthText(std::int64_t bytes) {
    return " ist " + WholeNumberText(bytes) + " Bytes lang; eine Zahlenreihe darf höchstens " +
           WholeNumberText(static_cast<std::int64_t>(kLongestRow)) + " Bytes lang sein.";
}

void ThrowRowTooLong(std::int64_t ordinal, std::int64_t bytes) {
    std::string place = "Nr. " + WholeNumberText(ordinal);
    if (ordinal >= 1 && ordinal <= static_cast<std::int64_t>(kMostRows)) {
        std::int16_t box = static_cast<std::int16_t>(ordinal);
        std::int16_t sheet = 0;
        GetSheetAndBox(box, sheet);
        place = "in Blatt " + WholeNumberText(sheet) + ", Kästchen " + WholeNumberText(box);
    }
    throw DatabaseError("Datenbankfehler: Die Zahlenreihe " + place + RowLengthText(bytes) +
                        " Bitte die Zeile mit einem anderen Programm kürzen oder löschen.");
}

std::string RowListText(const std::vector<std::string>& rows) {
    if (rows.empty()) return std::string(kNoRowsFound);
    std::string list =
        "Blatt\tKästchen\tZahlenreihe\r\n-----------------------------------------\r\n";
    list.reserve(list.size() + rows.size() * 32);
    for (std::size_t index = 0; index < rows.size(); ++index) {
        if (index == kMostRows) ThrowTooManyRows();
        std::int16_t box = static_cast<std::int16_t>(index + 1);
        std::int16_t sheet = 0;
        GetSheetAndBox(box, sheet);
        AppendWholeNumber(list, sheet);
        list += '\t';
        AppendWholeNumber(list, box);
        list += "\t\t";
        list += rows[index];
        list += "\r\n";
    }
    return list;
}

}  // namespace rules
