#include "rules/Evaluation.h"

#include <array>
#include <bit>

#include "base/Errors.h"
#include "base/NumberText.h"

namespace rules {
namespace {

// True iff "," + text + "," occurs in "," + row + ",": text stands in the row with a comma or
// the row's edge on either side.
bool HoldsBetweenCommas(std::string_view row, std::string_view text) {
    for (std::size_t at = row.find(text); at != std::string_view::npos;
         at = row.find(text, at + 1)) {
        const std::size_t end = at + text.size();
        if ((at == 0 || row[at - 1] == ',') && (end == row.size() || row[end] == ',')) return true;
        if (at == row.size()) break;
    }
    return false;
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

namespace {

constexpr int kHighestPlainNumber = 63;

// The value of a plain number token ("7", "49"), or 0 for any other text.
int PlainNumber(std::string_view token) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (token.size() == 1 && token[0] >= '1' && token[0] <= '9') return token[0] - '0';
    if (token.size() == 2 && token[0] >= '1' && token[0] <= '9' && digit(token[1])) {
        const int value = (token[0] - '0') * 10 + (token[1] - '0');
        return value <= kHighestPlainNumber ? value : 0;
    }
    return 0;
}

// Calls visit(token) for every text between commas.
template <typename Visit>
void ForEachToken(std::string_view text, Visit visit) {
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        visit(text.substr(start, comma - start));
        if (comma == std::string_view::npos) return;
        start = comma + 1;
    }
}

}  // namespace

std::uint64_t EntryBits(std::string_view ballNumberList) {
    std::uint64_t numbers = 0;
    ForEachToken(ballNumberList, [&](std::string_view token) {
        // PlainNumber gives 0 for any other token, which sets bit 0.
        numbers |= std::uint64_t{1} << PlainNumber(token);
    });
    return numbers;
}

RowKey KeyOf(std::string_view ballNumberList) {
    const std::uint64_t numbers = EntryBits(ballNumberList);
    return RowKey{(numbers & RowKey::kNotPlain) != 0 ? RowKey::kNotPlain : numbers};
}

Draw::Draw(std::string_view drawnNumberList, std::string_view additionalNumber)
    : mBonus(additionalNumber) {
    if (additionalNumber.find(',') != std::string_view::npos) {
        mBonusBit = kBonusNeedsText;
    } else if (const int number = PlainNumber(additionalNumber); number != 0) {
        mBonusBit = std::uint64_t{1} << number;
    }
    std::array<std::size_t, kHighestPlainNumber + 1> timesDrawn{};
    ForEachToken(drawnNumberList, [&](std::string_view entry) {
        mEntries.emplace_back(entry);
        if (const int number = PlainNumber(entry); number != 0) {
            const std::size_t times = ++timesDrawn[number];
            if (times > mRepeatMasks.size()) mRepeatMasks.push_back(0);
            mRepeatMasks[times - 1] |= std::uint64_t{1} << number;
        }
    });
}

namespace {

// The scan over all rows of a draw, one popcount a row.
[[gnu::always_inline]] inline void ScanPlainRowsWith(std::span<const RowKey> keys,
                                                     std::span<const std::uint64_t> repeatMasks,
                                                     std::vector<std::uint32_t>& rows) {
    // A draw without a repeated entry, the common case, has one mask: a single popcount a row.
    if (repeatMasks.size() == 1) {
        const std::uint64_t drawn = repeatMasks[0];
        for (std::size_t index = 0; index < keys.size(); ++index) {
            const std::uint64_t numbers = keys[index].numbers;
            if ((numbers & RowKey::kNotPlain) != 0 || std::popcount(numbers & drawn) >= 3) {
                rows.push_back(static_cast<std::uint32_t>(index));
            }
        }
        return;
    }
    for (std::size_t index = 0; index < keys.size(); ++index) {
        const std::uint64_t numbers = keys[index].numbers;
        int hits = 0;
        for (const std::uint64_t drawn : repeatMasks) hits += std::popcount(numbers & drawn);
        if ((numbers & RowKey::kNotPlain) != 0 || hits >= 3) {
            rows.push_back(static_cast<std::uint32_t>(index));
        }
    }
}

#if defined(__x86_64__) && defined(__GNUC__)
// Built a second time for processors with the popcount instruction, and picked by asking the
// processor. Chosen by hand rather than with target_clones: that needs the ELF loader's ifunc,
// and clang 19 leaves the library functions a clone calls undefined.
[[gnu::target("popcnt")]] void ScanPlainRowsWithPopcount(std::span<const RowKey> keys,
                                                         std::span<const std::uint64_t> masks,
                                                         std::vector<std::uint32_t>& rows) {
    ScanPlainRowsWith(keys, masks, rows);
}
#endif

void ScanPlainRows(std::span<const RowKey> keys, std::span<const std::uint64_t> repeatMasks,
                   std::vector<std::uint32_t>& rows) {
#if defined(__x86_64__) && defined(__GNUC__)
    if (__builtin_cpu_supports("popcnt")) {
        return ScanPlainRowsWithPopcount(keys, repeatMasks, rows);
    }
#endif
    ScanPlainRowsWith(keys, repeatMasks, rows);
}

}  // namespace

void Draw::Candidates(std::span<const RowKey> keys, std::vector<std::uint32_t>& rows) const {
    if (keys.empty()) return;
    CheckEntryCount();
    ScanPlainRows(keys, mRepeatMasks, rows);
}

void Draw::ThrowTooManyEntries() {
    throw base::OverflowError("Überlauf: Die gezogenen Zahlen haben mehr als 32767 Einträge.");
}

RowResult Draw::Evaluate(std::string_view ballNumberList) const {
    CheckEntryCount();
    int hits = 0;
    for (const std::string& entry : mEntries) {
        if (HoldsBetweenCommas(ballNumberList, entry)) ++hits;
    }
    if (hits < 3) return {static_cast<std::int16_t>(hits), false, 0};
    return Scored(ballNumberList, hits);
}

RowResult Draw::Scored(std::string_view ballNumberList, int hits) const {
    return Scored(hits, hits <= 5 && HoldsBetweenCommas(ballNumberList, mBonus));
}

RowResult Draw::Scored(int hits, bool bonus) {
    const auto counted = static_cast<std::int16_t>(hits);
    return {counted, bonus, PrizeFor(counted, bonus)};
}

std::string ReportLine(std::int16_t sheet, std::int16_t box, const RowResult& result) {
    std::string line;
    AppendReportLine(line, sheet, box, result);
    return line;
}

void AppendReportLine(std::string& report, std::int16_t sheet, std::int16_t box,
                      const RowResult& result) {
    report += "Blatt ";
    base::AppendWholeNumber(report, sheet);
    report += ", Kästchen ";
    base::AppendWholeNumber(report, box);
    report += ": ";
    base::AppendWholeNumber(report, result.hits);
    report += result.bonus ? " Richtige + Zusatzzahl\r\n" : " Richtige\r\n";
}

std::string TotalLines(std::int32_t total) {
    return "================================\r\nGewonnene Summe (ca.): " +
           base::WholeNumberText(total) + " EUR\r\n";
}

}  // namespace rules
