#include "base/Limits.h"

#include "base/Errors.h"
#include "base/NumberText.h"

namespace base {

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

}  // namespace base
