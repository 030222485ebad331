#include "store/SeriesStatements.h"

#include "rules/Errors.h"

namespace store {

void CheckTicketTable(Connection& connection) {
    try {
        connection.Execute("select LotterySeriesID, BallNumberList from tblLotterySeries where 0");
    } catch (const rules::DatabaseError& error) {
        throw rules::DatabaseError(
            "Datenbankfehler: Die Tabelle tblLotterySeries mit den Spalten LotterySeriesID und "
            "BallNumberList fehlt in der Datenbank. (" +
            std::string(error.what()) + ")");
    }
}

}  // namespace store
