#include "rules/Assumptions.h"

#include <gtest/gtest.h>

namespace {

TEST(AssumptionsText, HasTheElevenLinesWordForWord) {
    EXPECT_EQ(rules::AssumptionsText(),
              "Die Summen sind Circa-Angaben. Ausgegangen wird dabei von\r\n"
              "überdurchschnittlichen Quoten durch die Verwendung von \"unbeliebten\" Zahlen.\r\n"
              "Beliebte Zahlen sind: 3 4 5 6 7 9 10 11 12 17 18 19 24 25 26 31 32 33 \r\n"
              "\r\n"
              "3 Richtige: 10 Euro\r\n"
              "3 Richtige + Zusatzzahl: 30 Euro\r\n"
              "4 Richtige: 55 Euro\r\n"
              "4 Richtige + Zusatzzahl: 200 Euro\r\n"
              "5 Richtige: 5000 Euro\r\n"
              "5 Richtige + Zusatzzahl: 100000 Euro\r\n"
              "6 Richtige: 750000 Euro");
}

}  // namespace
