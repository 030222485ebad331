#include "store/sqlite/Connection.h"

#include "base/Errors.h"
#include "base/NumberText.h"

namespace store {

std::string FieldValue::Text() const {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(std::int64_t value) const { return base::WholeNumberText(value); }
        std::string operator()(double value) const { return base::NumberText(value, "."); }
        std::string operator()(const std::string& value) const { return value; }
    };
    return std::visit(Visitor{}, mValue);
}

double FieldValue::Number() const {
    struct Visitor {
        double operator()(std::monostate) const {
            throw base::ConversionError("Das Datenbankfeld ist leer und keine Zahl.");
        }
        double operator()(std::int64_t value) const { return static_cast<double>(value); }
        double operator()(double value) const { return value; }
        double operator()(const std::string& value) const { return base::ToDouble(value, "."); }
    };
    return std::visit(Visitor{}, mValue);
}

std::vector<std::string> ColumnTexts(Connection& connection, const std::string& statement,
                                     std::string_view column) {
    std::vector<std::string> values;
    std::unique_ptr<Recordset> rows = connection.Execute(statement);
    for (; !rows->Eof(); rows->MoveNext()) values.push_back(rows->Field(column).Text());
    rows->Close();
    return values;
}

}  // namespace store
