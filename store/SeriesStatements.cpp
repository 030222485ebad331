#include "store/SeriesStatements.h"

namespace store {

std::string InsertStatement(std::string_view rowText) {
    std::string statement = "insert into tblLotterySeries (BallNumberList) values ('";
    for (char c : rowText) {
        if (c == '\'') statement += '\'';
        statement += c;
    }
    statement += "')";
    return statement;
}

}  // namespace store
