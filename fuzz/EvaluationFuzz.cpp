// Evaluation: for any row, drawn list and bonus number the fast path, and the evaluation of the
// stored rows through it, must give exactly the text rule's result. Input: row, drawn list and
// bonus separated by line feeds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/Errors.h"
#include "rules/DrawReport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t first = input.find('\n');
    const std::size_t second =
        first == std::string_view::npos ? first : input.find('\n', first + 1);
    if (second == std::string_view::npos) return 0;
    const std::string_view row = input.substr(0, first);
    const std::string_view drawn = input.substr(first + 1, second - first - 1);
    const std::string_view bonus = input.substr(second + 1);
    const rules::Draw draw(drawn, bonus);
    try {
        const rules::RowResult literal = draw.Evaluate(row);
        const rules::RowResult fast = draw.Evaluate(row, rules::KeyOf(row));
        if (literal.hits != fast.hits || literal.bonus != fast.bonus ||
            literal.prize != fast.prize) {
            std::abort();
        }
        if (literal.hits >= 3 && literal.prize < 10) std::abort();
        rules::StoredRows rows;
        rows.Append(std::string(row));
        const rules::DrawReport report = rules::EvaluateRows(rows, draw);
        if (report.total != literal.prize || report.winningRows != (literal.hits >= 3 ? 1 : 0)) {
            std::abort();
        }
    } catch (const base::OverflowError&) {
    } catch (const base::DatabaseError&) {  // a row longer than the program works with
    }
    return 0;
}
