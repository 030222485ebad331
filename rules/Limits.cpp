#include "rules/Limits.h"

#include "rules/Errors.h"
#include "rules/NumberText.h"
#include "rules/Stake.h"

namespace rules {

void ThrowTooManyRows() {
    throw OverflowError("Überlauf: Die Tabelle enthält mehr als " + WholeNumberText(kMostRows) +
                        " Zahlenreihen; so viele kann das Programm nicht zählen.");
}

void ThrowTableFull() {
    throw OverflowError("Überlauf: Es können höchstens " + WholeNumberText(kMostRows) +
                        " Zahlenreihen gespeichert werden; die Zahlenreihe wurde nicht "
                        "gespeichert.");
}

std::string RowLengthText(std::int64_t bytes) {
    return " ist " + WholeNumberText(bytes) + " Bytes lang; eine Zahlenreihe darf höchstens " +
           WholeNumberText(static_cast<std::int64_t>(kLongestRow)) + " Bytes lang sein.";
}

void ThrowRowTooLong(std::int64_t ordinal, std::int64_t bytes) {
    std::string place = "Nr. " + WholeNumberText(ordinal);
    if (ordinal >= 1 && ordinal <= kMostRows) {
        std::int16_t box = static_cast<std::int16_t>(ordinal);
        std::int16_t sheet = 0;
        GetSheetAndBox(box, sheet);
        place = "in Blatt " + WholeNumberText(sheet) + ", Kästchen " + WholeNumberText(box);
    }
    throw DatabaseError("Datenbankfehler: Die Zahlenreihe " + place + RowLengthText(bytes) +
                        " Bitte die Zeile mit einem anderen Programm kürzen oder löschen.");
}

}  // namespace rules
