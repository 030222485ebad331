#include "rules/Evaluation.h"

#include "rules/Errors.h"
#include "rules/NumberText.h"

namespace rules {
namespace {

std::string Framed(std::string_view text) {
    std::string framed;
    framed.reserve(text.size() + 2);
    framed += ',';
    framed += text;
    framed += ',';
    return framed;
}

}  // namespace

std::int32_t PrizeFor(std::int16_t hits, bool bonus) {
    switch (hits) {
        case 0:
        case 1:
        case 2:
            return 0;
        case 3:
            return bonus ? kPrizeThreeBonus : kPrizeThree;
        case 4:
            return bonus ? kPrizeFourBonus : kPrizeFour;
        case 5:
            return bonus ? kPrizeFiveBonus : kPrizeFive;
        default:
            return hits > 0 ? kPrizeSix : 0;
    }
}

Draw::Draw(std::string_view drawnNumberList, std::string_view additionalNumber)
    : mFramedBonus(Framed(additionalNumber)) {
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = drawnNumberList.find(',', start);
        mFramedEntries.push_back(Framed(drawnNumberList.substr(start, comma - start)));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
}

RowResult Draw::Evaluate(std::string_view ballNumberList) const {
    // The entries are walked with a 16-bit counter.
    if (mFramedEntries.size() > 32767) {
        throw OverflowError("Überlauf: Die gezogenen Zahlen haben mehr als 32767 Einträge.");
    }
    const std::string row = Framed(ballNumberList);
    RowResult result;
    for (const std::string& entry : mFramedEntries) {
        if (row.find(entry) != std::string::npos) {
            result.hits = CheckedAdd(result.hits, std::int16_t{1}, "Die Zahl der Treffer");
        }
    }
    if (result.hits >= 3 && result.hits <= 5) {
        result.bonus = row.find(mFramedBonus) != std::string::npos;
    }
    result.prize = PrizeFor(result.hits, result.bonus);
    return result;
}

std::string ReportLine(std::int16_t sheet, std::int16_t box, const RowResult& result) {
    return "Blatt " + WholeNumberText(sheet) + ", Kästchen " + WholeNumberText(box) + ": " +
           WholeNumberText(result.hits) + " Richtige" + (result.bonus ? " + Zusatzzahl" : "") +
           "\r\n";
}

std::string TotalLines(std::int32_t total) {
    return "================================\r\nGewonnene Summe (ca.): " + WholeNumberText(total) +
           " EUR\r\n";
}

}  // namespace rules
