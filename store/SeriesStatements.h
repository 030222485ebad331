#pragma once

#include <string>
#include <string_view>

#include "store/Connection.h"

// The four statements sent to the ticket table, word for word.
namespace store {

inline constexpr std::string_view kCountStatement =
    "select count(*) as SeriesNumber from tblLotterySeries";
inline constexpr std::string_view kCountField = "SeriesNumber";
inline constexpr std::string_view kListStatement =
    "select BallNumberList from tblLotterySeries order by LotterySeriesID";
inline constexpr std::string_view kListField = "BallNumberList";
inline constexpr std::string_view kDeleteAllStatement = "delete from tblLotterySeries";

// The insert statement for one row text. Single quotes are doubled inside the literal, so that
// any text is stored exactly as given and can never change the statement; a text without a
// quote goes in unchanged.
std::string InsertStatement(std::string_view rowText);

// Throws DatabaseError, naming the table and its columns, unless tblLotterySeries is there with
// LotterySeriesID and BallNumberList; reads no row.
void CheckTicketTable(Connection& connection);

}  // namespace store
