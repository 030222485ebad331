#pragma once

#include <string>
#include <string_view>

#include "store/sqlite/Connection.h"

// The statements of the window's commands on the table of rows, word for word. The queries that
// find out what a failed write left in the file stay beside it in RowTable.cpp, those of the start
// check in FileCheck.cpp.
namespace store {

inline constexpr std::string_view kCountStatement =
    "select count(*) as SeriesNumber from tblLotterySeries";
inline constexpr std::string_view kCountField = "SeriesNumber";
inline constexpr std::string_view kListStatement =
    "select BallNumberList from tblLotterySeries order by LotterySeriesID";
inline constexpr std::string_view kListField = "BallNumberList";
inline constexpr std::string_view kDeleteAllStatement = "delete from tblLotterySeries";

// Stores one row text, bound as the parameter: any text goes in exactly as given and can never
// change the statement. The table then holds what the statement with the text as a literal
// would store.
inline constexpr std::string_view kInsertStatement =
    "insert into tblLotterySeries (BallNumberList) values (?)";

}  // namespace store
