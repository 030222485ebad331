// The row list: one line for each row (split here at line feeds), after the two heading lines.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "rules/RowList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> rows;
    std::string row;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            rows.push_back(row);
            row.clear();
        } else if (data[i] != '\r') {
            row += static_cast<char>(data[i]);
        }
    }
    if (!row.empty()) rows.push_back(row);
    const std::string list = rules::RowListText(rows);
    const auto lineEnds = static_cast<std::size_t>(std::count(list.begin(), list.end(), '\n'));
    if (rows.empty() ? list != "Keine Zahlenreihen gefunden." : lineEnds != rows.size() + 2) {
        std::abort();
    }
    return 0;
}
