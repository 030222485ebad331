#pragma once

#include <string>
#include <vector>

namespace rules {

// The list of all rows: the heading ("Blatt", tab, "Kästchen", tab, "Zahlenreihe", then 41
// hyphens), and a line "sheet tab box tab tab row" for each row, every line ended by CR LF; for
// no rows "Keine Zahlenreihen gefunden.".
std::string RowListText(const std::vector<std::string>& rows);

}  // namespace rules
