#pragma once

#include <cstdint>
#include <string>

#include "rules/Evaluation.h"
#include "rules/StoredRows.h"

namespace rules {

// What a draw gives the stored rows, as the window reports it.
struct DrawReport {
    // A line per winning row in table order and the total lines, or "Keine Zahlenreihen
    // gefunden." / "Kein Treffer.".
    std::string text;
    std::int32_t total = 0;  // in whole euros
    int winningRows = 0;
    bool noRows = true;

    // Where the caret goes in the report: after the total of a win, else at the start.
    std::size_t Caret() const { return total >= 1 ? text.size() : 0; }
    // The outcome in one short sentence, for a screen reader.
    std::string Summary() const;
};

// Evaluates every row against `draw`: only the rows that can win are looked at one by one.
// Throws OverflowError when there are more rows than a count holds, when the total leaves 32 bits
// or when the drawn list has more entries than Draw walks.
DrawReport EvaluateRows(const StoredRows& rows, const Draw& draw);

}  // namespace rules
