#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "base/Limits.h"

// The controls of the main window, in tab order: the enum value is the tab index.
namespace ui {

enum class ControlId : int {
    txtNewSeries0,
    txtNewSeries1,
    txtNewSeries2,
    txtNewSeries3,
    txtNewSeries4,
    txtNewSeries5,
    cmdAddSeries,
    txtSeriesCount,
    cmdGenerateRandom,
    chkInDB,
    txtDrawnNumberList,
    txtAdditionalNumber,
    cmdEvaluate,
    cmdShowSeries,
    cmdDelete,
    cmdResetStat,
    txtCurrentSeriesNumber,
    Label1,
    Label2,
    Label3,
    Label4,
    lblEuroUsed,
    txtNoDraws,
    txtSpentAmount,
    Label5,
    Label6,
    txtWonAmount,
    Label7,
    txtOutput,
    lblAssumptions,
    chkUnpopularNums,
    lblChances,
    lblCourse,
};

inline constexpr std::size_t kControlCount = 33;
inline constexpr std::size_t kNewSeriesBoxCount = 6;

enum class ControlType { Label, TextBox, CommandButton, CheckBox };

// Positions and sizes in twips (1/1440 inch) from the top left of the client area.
struct ControlSpec {
    ControlId id;
    std::string_view name;
    ControlType type;
    std::string_view caption;  // caption, or the initial text of a text box
    bool enabled;
    int left, top, width, height;
    int maxLength;  // characters the user may type; 0 for no limit
    int value;      // initial value of a check box
    // What a screen reader calls an input, a button or a check box. A label is announced by its
    // caption, which may change; a word of context for it goes into its description instead.
    std::string_view accessibleName;
};

inline constexpr int kClientWidthTwips = 8040;
inline constexpr int kClientHeightTwips = 4965;
inline constexpr std::string_view kAppTitle = "Varedadav 6 aus 49";

using enum ControlType;
inline constexpr std::array<ControlSpec, kControlCount> kControls = {{
    {ControlId::txtNewSeries0, "txtNewSeries(0)", TextBox, "", true, 120, 360, 300, 285,
     base::kFirstNumberTypingLimit, 0, "Zahlenreihe eingeben: Zahl 1"},
    {ControlId::txtNewSeries1, "txtNewSeries(1)", TextBox, "", true, 480, 360, 300, 285,
     base::kNumberTypingLimit, 0, "Zahlenreihe eingeben: Zahl 2"},
    {ControlId::txtNewSeries2, "txtNewSeries(2)", TextBox, "", true, 840, 360, 300, 285,
     base::kNumberTypingLimit, 0, "Zahlenreihe eingeben: Zahl 3"},
    {ControlId::txtNewSeries3, "txtNewSeries(3)", TextBox, "", true, 1200, 360, 300, 285,
     base::kNumberTypingLimit, 0, "Zahlenreihe eingeben: Zahl 4"},
    {ControlId::txtNewSeries4, "txtNewSeries(4)", TextBox, "", true, 1560, 360, 300, 285,
     base::kNumberTypingLimit, 0, "Zahlenreihe eingeben: Zahl 5"},
    {ControlId::txtNewSeries5, "txtNewSeries(5)", TextBox, "", true, 1920, 360, 300, 285,
     base::kNumberTypingLimit, 0, "Zahlenreihe eingeben: Zahl 6"},
    {ControlId::cmdAddSeries, "cmdAddSeries", CommandButton, "Hinzufügen", true, 2400, 360, 1215,
     375, 0, 0, "Hinzufügen"},
    {ControlId::txtSeriesCount, "txtSeriesCount", TextBox, "1", false, 5280, 120, 495, 285, 0, 0,
     "Anzahl Ziehungen"},
    {ControlId::cmdGenerateRandom, "cmdGenerateRandom", CommandButton, "Ziehung", true, 6000, 120,
     975, 375, 0, 0, "Ziehung"},
    {ControlId::chkInDB, "chkInDB", CheckBox, "In Datenbank speichern", true, 5280, 540, 2055, 195,
     0, 0, "In Datenbank speichern"},
    {ControlId::txtDrawnNumberList, "txtDrawnNumberList", TextBox, "", true, 120, 1080, 1740, 285,
     0, 0, "Gezogene Zahlen"},
    {ControlId::txtAdditionalNumber, "txtAdditionalNumber", TextBox, "", true, 1920, 1080, 300, 285,
     0, 0, "Zusatzzahl"},
    {ControlId::cmdEvaluate, "cmdEvaluate", CommandButton, "Auswertung", true, 2400, 1080, 1215,
     375, 0, 0, "Auswertung"},
    {ControlId::cmdShowSeries, "cmdShowSeries", CommandButton, "Alle Kästchen Anzeigen", true, 3720,
     1080, 2175, 375, 0, 0, "Alle Kästchen Anzeigen"},
    {ControlId::cmdDelete, "cmdDelete", CommandButton, "Löschen", true, 6000, 1080, 975, 375, 0, 0,
     "Löschen"},
    {ControlId::cmdResetStat, "cmdResetStat", CommandButton, "Reset", true, 7080, 3480, 855, 375, 0,
     0, "Reset"},
    {ControlId::txtCurrentSeriesNumber, "txtCurrentSeriesNumber", TextBox, "", false, 3840, 360,
     495, 285, 0, 0, "Anzahl Kästchen"},
    {ControlId::Label1, "Label1", Label, "Gezogene Zahlen:", true, 120, 840, 1335, 255, 0, 0, ""},
    {ControlId::Label2, "Label2", Label, "Zahlenreihe eingeben:", true, 120, 120, 1695, 255, 0, 0,
     ""},
    {ControlId::Label3, "Label3", Label, "Anzahl Kästchen:", true, 3840, 120, 1335, 255, 0, 0, ""},
    {ControlId::Label4, "Label4", Label, "Zusatzzahl:", true, 1920, 840, 855, 255, 0, 0, ""},
    {ControlId::lblEuroUsed, "lblEuroUsed", Label, "", true, 4440, 405, 735, 495, 0, 0, "Einsatz"},
    {ControlId::txtNoDraws, "txtNoDraws", TextBox, "0", false, 7080, 1800, 855, 285, 0, 0,
     "Ziehungen"},
    {ControlId::txtSpentAmount, "txtSpentAmount", TextBox, "0", false, 7080, 2400, 855, 285, 0, 0,
     "Ausgaben"},
    {ControlId::Label5, "Label5", Label, "Ziehungen:", true, 7080, 1560, 855, 255, 0, 0, ""},
    {ControlId::Label6, "Label6", Label, "Ausgaben:", true, 7080, 2160, 855, 255, 0, 0, ""},
    {ControlId::txtWonAmount, "txtWonAmount", TextBox, "0", false, 7080, 3000, 855, 285, 0, 0,
     "Einnahmen"},
    {ControlId::Label7, "Label7", Label, "Einnahmen:", true, 7080, 2760, 855, 255, 0, 0, ""},
    {ControlId::txtOutput, "txtOutput", TextBox, "", true, 120, 1560, 6855, 3255, 0, 0, "Ausgabe"},
    {ControlId::lblAssumptions, "lblAssumptions", Label, "Annahmen", true, 7100, 240, 810, 255, 0,
     0, "Taste F1"},
    {ControlId::chkUnpopularNums, "chkUnpopularNums", CheckBox, "Nur \"unbeliebte\" Zahlen", false,
     5280, 800, 2055, 195, 0, 1, "Nur \"unbeliebte\" Zahlen"},
    {ControlId::lblChances, "lblChances", Label, "Chancen", true, 7100, 3960, 810, 255, 0, 0,
     "Taste F2"},
    {ControlId::lblCourse, "lblCourse", Label, "Verlauf", true, 7100, 4320, 810, 255, 0, 0,
     "Taste F3"},
}};

constexpr const ControlSpec& SpecOf(ControlId id) {
    return kControls[static_cast<std::size_t>(id)];
}

constexpr ControlId NewSeriesBox(int index) { return static_cast<ControlId>(index); }

}  // namespace ui
