// Pipes, sockets and devices under the names SQLite opens: a message naming the file, never a
// hang (ctest's timeout turns a hang into a failure), and the rows intact once the file is gone.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "base/Errors.h"
#include "store/sqlite/RowStatements.h"
#include "store/sqlite/SqliteConnection.h"
#include "tests/support/TempDatabase.h"

namespace {

using testing_support::TempDatabase;

enum class Kind { Pipe, Socket, Device, BlockDevice };

// Makes a special file at `path`; false when this user may not (devices need root).
bool MakeSpecialFile(const std::string& path, Kind kind) {
    switch (kind) {
        case Kind::Pipe:
            return mkfifo(path.c_str(), 0666) == 0;
        case Kind::Socket: {
            const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
            const bool bound =
                bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
            close(listener);
            return bound;
        }
        case Kind::Device:
            return mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;  // as /dev/null
        case Kind::BlockDevice:  // of no driver: it never opens, so nothing can reach a disk
            return mknod(path.c_str(), S_IFBLK | 0600, makedev(0, 0)) == 0;
    }
    return false;
}

const char* KindWord(Kind kind) {
    return kind == Kind::Pipe ? "Pipe (FIFO)" : kind == Kind::Socket ? "Socket" : "Gerät";
}

int StoredRows(store::Connection& connection) {
    auto count = connection.Execute(std::string(store::kCountStatement));
    const int rows = static_cast<int>(count->Field(store::kCountField).Number());
    count->Close();
    return rows;
}

TEST(SpecialFiles, BesideTheDatabaseAreNamedAtOnceAtStartAndAtTheNextCommand) {
    struct Case {
        const char* suffix;
        bool wal;  // SQLite keeps -shm only in WAL mode
    };
    const Case cases[] = {{"-journal", false}, {"-wal", false}, {"-wal", true}, {"-shm", true}};
    for (const Case& c : cases) {
        for (Kind kind : {Kind::Pipe, Kind::Socket, Kind::Device, Kind::BlockDevice}) {
            for (bool atStart : {true, false}) {
                const std::string name = std::string(c.suffix) + (c.wal ? " (WAL) " : " ") +
                                         KindWord(kind) + (atStart ? " at start" : " later");
                TempDatabase database;
                database.AddRows(3);
                if (c.wal) database.Exec("pragma journal_mode = wal");
                const std::string special = database.Path() + c.suffix;
                store::SqliteConnection connection;
                if (!atStart) connection.Open(database.ConnectionText());
                // An open connection keeps its WAL files open: nothing to plant then.
                if (std::filesystem::exists(special)) continue;
                if (!MakeSpecialFile(special, kind)) {
                    ASSERT_GE(kind, Kind::Device) << name;
                    continue;  // not root
                }
                try {
                    if (atStart) connection.Open(database.ConnectionText());
                    connection.ExecuteWithText(store::kInsertStatement, "1,2,3,4,5,6");
                    StoredRows(connection);
                    ADD_FAILURE() << name << ": not refused";
                } catch (const base::DatabaseError& error) {
                    const std::string message = error.what();
                    EXPECT_NE(message.find("„" + special + "“ ist keine gewöhnliche Datei"),
                              std::string::npos)
                        << name << ": " << message;
                    EXPECT_NE(message.find(KindWord(kind)), std::string::npos) << name;
                }
                // Once the file is gone, the same connection (or a new one) works on.
                std::filesystem::remove(special);
                if (atStart) connection.Open(database.ConnectionText());
                EXPECT_EQ(StoredRows(connection), 3) << name;
                connection.ExecuteWithText(store::kInsertStatement, "1,2,3,4,5,6");
                EXPECT_EQ(StoredRows(connection), 4) << name;
                connection.Close();
                EXPECT_EQ(database.IntegrityCheck(), "ok") << name;
            }
        }
    }
}

// A program may be started with its standard input closed; SQLite then parks the low descriptor
// on /dev/null, a device the guard must let through.
TEST(SpecialFiles, SqlitesOwnDevicesStillOpen) {
    TempDatabase database;
    database.AddRows(2);
    const int standardInput = dup(0);
    close(0);
    store::SqliteConnection connection;
    std::string failure;
    try {
        connection.Open(database.ConnectionText());
        EXPECT_EQ(StoredRows(connection), 2);
    } catch (const base::DatabaseError& error) {
        failure = error.what();
    }
    connection.Close();
    dup2(standardInput, 0);
    close(standardInput);
    EXPECT_EQ(failure, "");
}

}  // namespace
