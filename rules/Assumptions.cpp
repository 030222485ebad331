#include "rules/Assumptions.h"

#include "base/NumberText.h"
#include "rules/Evaluation.h"
#include "rules/RandomDraw.h"

namespace rules {

std::string AssumptionsText() {
    const auto prize = [](const char* hits, std::int32_t amount) {
        return std::string(hits) + ": " + base::WholeNumberText(amount) + " Euro";
    };
    const std::string lines[] = {
        "Die Summen sind Circa-Angaben. Ausgegangen wird dabei von",
        "überdurchschnittlichen Quoten durch die Verwendung von \"unbeliebten\" Zahlen.",
        "Beliebte Zahlen sind:" + std::string(PopularNumberList),
        "",
        prize("3 Richtige", kPrizeThree),
        prize("3 Richtige + Zusatzzahl", kPrizeThreeBonus),
        prize("4 Richtige", kPrizeFour),
        prize("4 Richtige + Zusatzzahl", kPrizeFourBonus),
        prize("5 Richtige", kPrizeFive),
        prize("5 Richtige + Zusatzzahl", kPrizeFiveBonus),
        prize("6 Richtige", kPrizeSix),
    };
    std::string text;
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

}  // namespace rules
