// Where the rows live: beside a copy of the program, or, installed for the whole machine, in a
// Lotto.mdb of the user's own that no other user can enter.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <utility>

#include "base/Errors.h"
#include "store/platform/OwnDatabase.h"
#include "tests/ui/ScriptedDialogs.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempDatabase;
using testing_support::TempFolder;

mode_t ModeOf(const fs::path& path) {
    struct stat status = {};
    return lstat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// <root>/usr/lib/varedadav holds the program; installed for the machine, the empty database lies
// in <root>/usr/share/varedadav; the user's data folder is <root>/home/.local/share.
struct Machine {
    TempFolder root;
    fs::path programFolder = root.Path() / "usr/lib/varedadav";
    fs::path emptyDatabase = root.Path() / "usr/share/varedadav/Lotto-empty.mdb";
    fs::path dataHome = root.Path() / "home/.local/share";
    fs::path ownFolder = dataHome / "varedadav";
    fs::path own = ownFolder / "Lotto.mdb";

    explicit Machine(bool installedForAll) {
        fs::create_directories(programFolder);
        if (!installedForAll) return;
        fs::create_directories(emptyDatabase.parent_path());
        TempDatabase::CreateAt(emptyDatabase.string());
    }
    // Puts a database of `rows` rows at `path`.
    static void PlaceRows(const fs::path& path, int rows) {
        TempDatabase made;
        made.AddRows(rows);
        fs::create_directories(path.parent_path());
        fs::copy_file(made.Path(), path);
    }
};

// Starts the program of `machine` once; false when the start ended.
bool Start(Machine& machine, testing_support::ScriptedDialogs& dialogs,
           std::unique_ptr<ui::frmMain>& form, store::BuiltinHive& hive) {
    ui::FormEnvironment environment =
        testing_support::EnvironmentFor(machine.programFolder.string(), hive);
    environment.userDataHome = machine.dataHome.string();
    form = std::make_unique<ui::frmMain>(dialogs, std::move(environment));
    return form->Form_Load();
}

TEST(OwnDatabase, LiesBesideACopyOrInTheUsersOwnClosedFolder) {
    struct Case {
        const char* name;
        bool installedForAll;
        std::function<void(Machine&)> before;
        int rows;             // what the window shows; -1: the start ends with a message
        const char* message;  // part of that message
        bool ownFolderUsed;
    };
    const Case cases[] = {
        {"first start of an install for all", true, [](Machine&) {}, 0, nullptr, true},
        {"later start keeps the rows", true, [](Machine& m) { Machine::PlaceRows(m.own, 5); }, 5,
         nullptr, true},
        {"own folder opened to others is closed again", true,
         [](Machine& m) {
             Machine::PlaceRows(m.own, 2);
             fs::permissions(m.ownFolder, fs::perms::all);
         },
         2, nullptr, true},
        {"own folder opened to the user's group is closed again", true,
         [](Machine& m) {
             Machine::PlaceRows(m.own, 2);
             fs::permissions(m.ownFolder, fs::perms::owner_all | fs::perms::group_all);
         },
         2, nullptr, true},
        {"own folder reached through the user's own link", true,
         [](Machine& m) {
             Machine::PlaceRows(m.root.Path() / "elsewhere/Lotto.mdb", 4);
             fs::create_directories(m.dataHome);
             fs::create_directory_symlink(m.root.Path() / "elsewhere", m.ownFolder);
         },
         4, nullptr, true},
        {"a database beside the program comes first", true,
         [](Machine& m) { Machine::PlaceRows(m.programFolder / "Lotto.mdb", 3); }, 3, nullptr,
         false},
        {"a copy alone", false, [](Machine&) {}, -1, "nicht gefunden, Programm wird beendet.",
         false},
        {"a data folder any user may write to", true,
         [](Machine& m) {
             fs::create_directories(m.dataHome);
             fs::permissions(m.dataHome, fs::perms::all);
         },
         -1, "ist für andere Benutzer beschreibbar", true},
        {"a shared data folder with the sticky bit, as /tmp", true,
         [](Machine& m) {
             fs::create_directories(m.dataHome);
             fs::permissions(m.dataHome, fs::perms::all | fs::perms::sticky_bit);
         },
         0, nullptr, true},
        {"a pipe in the database's place", true,
         [](Machine& m) {
             fs::create_directories(m.ownFolder);
             mkfifo(m.own.c_str(), 0600);
         },
         -1, "Lotto.mdb“ ist keine gewöhnliche Datei, sondern eine Pipe (FIFO).", true},
        {"the empty database unreadable", true,
         [](Machine& m) { fs::resize_file(m.emptyDatabase, 0); }, -1,
         "fehlt oder ist nicht lesbar. Bitte das Paket varedadav neu installieren.", true},
    };
    for (const Case& c : cases) {
        Machine machine(c.installedForAll);
        c.before(machine);
        store::BuiltinHive hive = store::BuiltinHive::WithOwnStore();
        testing_support::ScriptedDialogs dialogs;
        std::unique_ptr<ui::frmMain> form;
        std::string message;
        try {
            if (!Start(machine, dialogs, form, hive)) message = dialogs.shown.at(0).prompt;
        } catch (const base::AppError& failure) {
            message = failure.what();
        }
        if (c.rows >= 0) {
            EXPECT_EQ(message, "") << c.name;
            EXPECT_EQ(form->mSeriesCount, c.rows) << c.name;
        } else {
            EXPECT_NE(message.find(c.message), std::string::npos) << c.name << ": " << message;
        }
        EXPECT_EQ(fs::exists(machine.ownFolder), c.ownFolderUsed) << c.name;
        if (c.ownFolderUsed) {
            EXPECT_EQ(ModeOf(fs::canonical(machine.ownFolder)), 0700u) << c.name;
        }
    }
}

TEST(OwnDatabase, IsLaidOnlyWhereNoOtherUserCanReachIt) {
    Machine machine(true);
    store::BuiltinHive hive = store::BuiltinHive::WithOwnStore();
    testing_support::ScriptedDialogs dialogs;
    std::unique_ptr<ui::frmMain> form;
    ASSERT_TRUE(Start(machine, dialogs, form, hive));
    // The folders made on the way, the program's own folder and the file: the user's alone.
    for (const fs::path& made :
         {machine.dataHome.parent_path(), machine.dataHome, machine.ownFolder}) {
        EXPECT_EQ(ModeOf(made), 0700u) << made;
    }
    EXPECT_EQ(ModeOf(machine.own), 0600u);

    // Rows stored there are found there at the next start.
    for (auto& box : form->txtNewSeries) box.Text = "7";
    form->AddSeries();
    form->Form_Unload();
    ASSERT_TRUE(Start(machine, dialogs, form, hive));
    EXPECT_EQ(form->mSeriesCount, 1);
    form->Form_Unload();

    // A start that broke off while laying the file may have left its copy behind: the next
    // one lays the file all the same, and leaves no copy of its own.
    fs::remove(machine.own);
    std::ofstream(machine.ownFolder / ".Lotto.mdb.new-0000000100000002") << "half";
    ASSERT_TRUE(Start(machine, dialogs, form, hive));
    EXPECT_EQ(form->mSeriesCount, 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(machine.ownFolder), fs::directory_iterator()),
              2);
}

// A folder or link another user made where the user's own folder belongs is never used: its
// owner could read and change the rows, or swap the file.
TEST(OwnDatabase, RefusesAFolderOrLinkOfAnotherUser) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to make files of another user";
    const uid_t someoneElse = 65534;
    for (bool link : {false, true}) {
        Machine machine(true);
        Machine::PlaceRows(machine.root.Path() / "theirs/Lotto.mdb", 1);
        if (link) {
            fs::create_directories(machine.dataHome);
            fs::create_directory_symlink(machine.root.Path() / "theirs", machine.ownFolder);
            ASSERT_EQ(lchown(machine.ownFolder.c_str(), someoneElse, someoneElse), 0);
        } else {
            fs::create_directories(machine.dataHome);
            fs::rename(machine.root.Path() / "theirs", machine.ownFolder);
            ASSERT_EQ(chown(machine.ownFolder.c_str(), someoneElse, someoneElse), 0);
        }
        store::BuiltinHive hive = store::BuiltinHive::WithOwnStore();
        testing_support::ScriptedDialogs dialogs;
        std::unique_ptr<ui::frmMain> form;
        try {
            Start(machine, dialogs, form, hive);
            ADD_FAILURE() << (link ? "link" : "folder") << " of another user was used";
        } catch (const base::DatabaseError& failure) {
            EXPECT_NE(std::string(failure.what()).find("gehört nicht Ihnen"), std::string::npos)
                << failure.what();
        }
        EXPECT_FALSE(form->mConnection);
    }
}

// The desktop entry clicked twice on the first day: both starts lay the file at the same moment,
// and both go on with the one that won, the very same file and not only the same name.
TEST(OwnDatabase, TwoFirstStartsAtOnceShareOneFile) {
    int clashes = 0;
    for (int round = 0; round < 100; ++round) {
        Machine machine(true);
        int go[2];
        ASSERT_EQ(pipe(go), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        // The file a start goes on with, as device and inode; {0, 0} when it found none.
        const auto locate = [&] {
            struct stat file = {};
            try {
                if (store::LocateDatabase(machine.programFolder.string(),
                                          machine.dataHome.string()) == machine.own.string())
                    stat(machine.own.c_str(), &file);
            } catch (const base::DatabaseError&) {
            }
            return std::pair(file.st_dev, file.st_ino);
        };
        if (child == 0) {
            char signal = 0;
            const auto found = read(go[0], &signal, 1) == 1 ? locate() : std::pair<dev_t, ino_t>();
            _exit(write(go[1], &found, sizeof found) == sizeof found ? 0 : 1);
        }
        ASSERT_EQ(write(go[1], "!", 1), 1);
        const auto found = locate();
        waitpid(child, nullptr, 0);
        auto theirs = std::pair<dev_t, ino_t>();
        const bool told = read(go[0], &theirs, sizeof theirs) == sizeof theirs;
        close(go[0]);
        close(go[1]);
        clashes += told && found.second != 0 && found == theirs ? 0 : 1;
    }
    EXPECT_EQ(clashes, 0);
}

}  // namespace
