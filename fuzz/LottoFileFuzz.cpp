// A Lotto.mdb from anywhere: whatever bytes the file holds, the start-up and every command end
// in a result or a message, never in a crash or a hang, and the count always equals the table.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/Errors.h"
#include "store/platform/BuiltinHive.h"
#include "store/sqlite/SqliteConnection.h"
#include "ui/frmMain.h"

namespace {

class AnsweringDialogs final : public ui::Dialogs {
  public:
    ui::MsgBoxResult MsgBox(const std::string&, ui::MsgBoxButtons, ui::MsgBoxIcon) override {
        return ui::MsgBoxResult::Ok;
    }
    void SetMousePointer(ui::MousePointer) override {}
};

rules::ClockSeededRandom::ClockReading StandingClock() { return {1, 2}; }

// A folder of its own, in memory where the system offers it, so that commits are cheap.
std::string Folder() {
    std::string pattern = (std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp") +
                          std::string("/lotto-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern;
}

// The count the window shows must be the rows in the table, whenever the table can be counted.
void ExpectCountEqualsTable(ui::frmMain& form) {
    try {
        auto count = form.mConnection->Execute("select count(*) as Rows from tblLotterySeries");
        if (!count->Eof() && count->Field("Rows").Number() != form.mSeriesCount) __builtin_trap();
    } catch (const base::AppError&) {
    }
}

template <typename Command>
void Run(ui::frmMain& form, Command command) {
    try {
        command();
    } catch (const base::AppError&) {
    }
    ExpectCountEqualsTable(form);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string folder = Folder();
    const std::string path = folder + "/Lotto.mdb";
    for (const char* leftover : {"-journal", "-wal", "-shm"})
        std::filesystem::remove(path + leftover);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    static store::BuiltinHive hive = store::BuiltinHive::WithOwnStore();
    AnsweringDialogs dialogs;
    ui::FormEnvironment environment;
    environment.programFolder = folder;
    environment.registry = &hive;
    environment.createConnection = [] { return std::make_unique<store::SqliteConnection>(); };
    environment.random = std::make_shared<rules::ClockSeededRandom>(1, StandingClock);
    ui::frmMain form(dialogs, std::move(environment));
    try {
        if (!form.Form_Load()) return 0;
    } catch (const base::AppError&) {
        form.Form_Unload();
        return 0;
    }
    ExpectCountEqualsTable(form);
    Run(form, [&] {
        for (auto& box : form.txtNewSeries) box.Text = "7";
        form.AddSeries();
    });
    Run(form, [&] {
        form.txtDrawnNumberList.Text = "1,2,3,4,5,6";
        form.txtAdditionalNumber.Text = "7";
        form.cmdEvaluate_Click();
    });
    Run(form, [&] {
        form.txtNewSeries[0].Text = "3";
        form.cmdGenerateRandom_Click();  // three simulated draws
    });
    Run(form, [&] {
        form.chkInDB.Value = 1;
        form.chkInDB_Click();
        form.txtSeriesCount.Text = "3";
        form.cmdGenerateRandom_Click();  // three stored rows
    });
    Run(form, [&] { form.cmdShowSeries_Click(); });
    Run(form, [&] { form.cmdDelete_Click(); });
    form.Form_Unload();
    return 0;
}
