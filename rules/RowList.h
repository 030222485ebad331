#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace rules {

// The list of all rows: the heading ("Blatt", tab, "Kästchen", tab, "Zahlenreihe", then 41
// hyphens), and a line "sheet tab box tab tab row" for each row, every line ended by CR LF; for
// no rows "Keine Zahlenreihen gefunden.".
std::string RowListText(const std::vector<std::string>& rows);

// How many rows the list shows, in one sentence for a screen reader ("2 Zahlenreihen
// aufgelistet."): never the list itself, which may run to 32,767 lines.
std::string RowListSummary(std::size_t rows);

}  // namespace rules
