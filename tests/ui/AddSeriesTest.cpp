#include <gtest/gtest.h>

#include "base/Errors.h"
#include "tests/ui/ScriptedDialogs.h"

namespace {

using testing_support::LoadedForm;
using ui::ControlId;

void Type(ui::frmMain& form, std::initializer_list<const char*> numbers) {
    std::size_t i = 0;
    for (const char* number : numbers) form.txtNewSeries[i++].Text = number;
}

TEST(AddSeries, StoresTheSixTextsAsTypedAndGetsReadyForTheNext) {
    struct Case {
        std::initializer_list<const char*> typed;
        const char* stored;
    };
    const Case cases[] = {
        {{"7", "12", "23", "31", "40", "49"}, "7,12,23,31,40,49"},
        {{"49", "7", "31", "12", "40", "23"}, "49,7,31,12,40,23"},
        {{"1234", "07", " ", "x", "50", "0"}, "1234,07, ,x,50,0"},
        {{"5", "5", "5", "5", "5", "5"}, "5,5,5,5,5,5"},
    };
    for (const Case& c : cases) {
        LoadedForm window(12);
        ui::frmMain& form = *window.form;
        form.ActiveControl = ControlId::txtNewSeries5;
        Type(form, c.typed);
        form.cmdAddSeries_Click();
        EXPECT_EQ(window.database.Rows().back(), c.stored);
        EXPECT_EQ(form.txtCurrentSeriesNumber.Text, "13");
        EXPECT_EQ(form.lblEuroUsed.Text, "= 10,25 Euro");
        for (const auto& box : form.txtNewSeries) EXPECT_EQ(box.Text, "");
        EXPECT_EQ(form.ActiveControl, ControlId::txtNewSeries0);
        EXPECT_TRUE(window.dialogs.shown.empty());
    }
}

TEST(AddSeries, WarnsAboutTheFirstEmptyBoxAndChangesNothing) {
    struct Case {
        std::initializer_list<const char*> typed;
        ControlId focus;
    };
    const Case cases[] = {
        {{"1", "2", "3", "", "5", "6"}, ControlId::txtNewSeries3},
        {{"", "2", "3", "", "5", "6"}, ControlId::txtNewSeries0},
        {{"1", "2", "3", "4", "5", ""}, ControlId::txtNewSeries5},
        {{"", "", "", "", "", ""}, ControlId::txtNewSeries0},
    };
    for (const Case& c : cases) {
        LoadedForm window(2);
        ui::frmMain& form = *window.form;
        Type(form, c.typed);
        form.AddSeries();
        ASSERT_EQ(window.dialogs.shown.size(), 1u);
        EXPECT_EQ(window.dialogs.shown[0].prompt, "Bitte erst Zahlenreihe eingeben.");
        EXPECT_EQ(window.dialogs.shown[0].icon, ui::MsgBoxIcon::Warning);
        EXPECT_EQ(form.ActiveControl, c.focus);
        std::size_t i = 0;
        for (const char* typed : c.typed) EXPECT_EQ(form.txtNewSeries[i++].Text, typed);
        EXPECT_EQ(window.database.RowCount(), 2);
        EXPECT_EQ(form.txtCurrentSeriesNumber.Text, "2");
        EXPECT_EQ(form.lblEuroUsed.Text, "= 1,75 Euro");
    }
}

TEST(AddSeries, KeepsTheBoxesWhenTheRowCannotBeStored) {
    LoadedForm window(32767);
    ui::frmMain& form = *window.form;
    Type(form, {"1", "2", "3", "4", "5", "6"});
    EXPECT_THROW(form.AddSeries(), base::OverflowError);
    EXPECT_EQ(form.txtNewSeries[5].Text, "6");
    EXPECT_EQ(window.database.RowCount(), 32767);
}

TEST(txtNewSeries_KeyDown, EnterInAnyBoxWithAnyModifierAddsTheRow) {
    LoadedForm window;
    ui::frmMain& form = *window.form;
    int expectedRows = 0;
    for (std::int16_t index = 0; index < 6; ++index) {
        for (std::int16_t shift = 0; shift < 8; ++shift) {
            Type(form, {"1", "2", "3", "4", "5", "6"});
            std::int16_t keyCode = 13;
            form.txtNewSeries_KeyDown(index, keyCode, shift);
            EXPECT_EQ(keyCode, 13);
            EXPECT_EQ(window.database.RowCount(), ++expectedRows) << index << "/" << shift;
        }
    }
    for (std::int16_t otherKey : {9, 10, 27, 32, 48, 65, 108}) {
        Type(form, {"1", "2", "3", "4", "5", "6"});
        form.txtNewSeries_KeyDown(0, otherKey, 0);
        EXPECT_EQ(window.database.RowCount(), expectedRows) << otherKey;
        EXPECT_EQ(form.txtNewSeries[0].Text, "1");
    }
}

}  // namespace
