#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "store/platform/BuiltinHive.h"
#include "store/sqlite/SqliteConnection.h"
#include "tests/support/TempDatabase.h"
#include "ui/Dialogs.h"
#include "ui/frmMain.h"

namespace testing_support {

// Answers message boxes from a script (OK when the script is empty) and records every box, every
// change of the mouse pointer and every announcement.
class ScriptedDialogs final : public ui::Dialogs {
  public:
    struct Shown {
        std::string prompt;
        ui::MsgBoxButtons buttons;
        ui::MsgBoxIcon icon;
    };

    ui::MsgBoxResult MsgBox(const std::string& prompt, ui::MsgBoxButtons buttons,
                            ui::MsgBoxIcon icon) override {
        shown.push_back({prompt, buttons, icon});
        if (answers.empty()) return ui::MsgBoxResult::Ok;
        ui::MsgBoxResult answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void SetMousePointer(ui::MousePointer pointer) override { pointers.push_back(pointer); }
    void Announce(const std::string& outcome) override { announced.push_back(outcome); }

    std::deque<ui::MsgBoxResult> answers;
    std::vector<Shown> shown;
    std::vector<ui::MousePointer> pointers;
    std::vector<std::string> announced;
};

inline ui::FormEnvironment EnvironmentFor(const std::string& folder, store::RegistryApi& registry,
                                          const std::string& decimalSeparator = ",") {
    ui::FormEnvironment environment;
    environment.programFolder = folder;
    environment.registry = &registry;
    environment.createConnection = [] { return std::make_unique<store::SqliteConnection>(); };
    environment.decimalSeparator = decimalSeparator;
    return environment;
}

// A window over a fresh database, loaded and ready.
struct LoadedForm {
    explicit LoadedForm(int rows = 0, const std::string& decimalSeparator = ",",
                        std::shared_ptr<rules::RandomSource> random = nullptr) {
        database.AddRows(rows);
        ui::FormEnvironment environment = EnvironmentFor(database.Folder(), hive, decimalSeparator);
        environment.random = std::move(random);
        form = std::make_unique<ui::frmMain>(dialogs, std::move(environment));
        loaded = form->Form_Load();
    }

    TempDatabase database;
    store::BuiltinHive hive = store::BuiltinHive::WithOwnStore();
    ScriptedDialogs dialogs;
    std::unique_ptr<ui::frmMain> form;
    bool loaded = false;
};

}  // namespace testing_support
