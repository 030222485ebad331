#pragma once

#include <cstdint>
#include <string>

#include "store/sqlite/Connection.h"

namespace testing_support {

struct LiteralResult {
    std::string report;
    std::int32_t total = 0;
};

// The evaluation done the plain way, kept as the yardstick for the fast one: the list statement
// on every call, the text rule for every entry and row, and every report line appended to the
// whole report.
LiteralResult LiteralEvaluation(store::Connection& connection, const std::string& drawnNumberList,
                                const std::string& additionalNumber);

}  // namespace testing_support
