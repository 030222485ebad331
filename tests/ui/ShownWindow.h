#pragma once

#include <QtTest>
#include <memory>

#include "tests/ui/ScriptedDialogs.h"
#include "ui/MainWindow.h"

namespace testing_support {

// The real window over a fresh database with 13 rows, loaded, shown and active (offscreen).
struct ShownWindow {
    // Returns false when the window could not be loaded or shown.
    bool Open() {
        database = std::make_unique<TempDatabase>();
        database->AddRows(13);
        window = std::make_unique<ui::MainWindow>(EnvironmentFor(database->Folder(), hive));
        // A start that fails says why in the test's output instead of waiting for an answer.
        window->SetMsgBoxHook([](const std::string& prompt, ui::MsgBoxButtons, ui::MsgBoxIcon) {
            qWarning("start-up message: %s", prompt.c_str());
            return ui::MsgBoxResult::Ok;
        });
        const bool loaded = window->Load();
        window->SetMsgBoxHook(nullptr);
        if (!loaded) return false;
        window->show();
        return QTest::qWaitForWindowActive(window.get());
    }

    std::unique_ptr<TempDatabase> database;
    store::BuiltinHive hive = store::BuiltinHive::WithOwnStore();
    std::unique_ptr<ui::MainWindow> window;
};

}  // namespace testing_support
