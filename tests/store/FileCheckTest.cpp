// The check of a Lotto.mdb before the program works with it: a file made elsewhere, damaged or
// hostile is refused with the reason, or accepted, and never changed by the check; a failure
// that is no fault of the file says what it is.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

#include "base/Errors.h"
#include "store/sqlite/FileCheck.h"
#include "store/sqlite/SqliteConnection.h"
#include "tests/support/CraftedFiles.h"
#include "tests/support/ForwardingConnection.h"

namespace {

using testing_support::TempDatabase;

TEST(CheckLottoFile, RefusesWithAReasonOrAcceptsAndChangesNoFile) {
    for (const testing_support::CraftedFile& file : testing_support::CraftedFiles()) {
        TempDatabase database;
        database.AddRows(13);
        testing_support::Craft(database, file);
        const std::string before = testing_support::FileBytes(database.Path());
        std::string refusal;
        {
            store::SqliteConnection connection;
            try {
                connection.Open(database.ConnectionText());
                store::CheckLottoFile(connection, database.Path());
            } catch (const base::AppError& failure) {
                refusal = failure.what();
            }
        }
        if (file.refusal == nullptr) {
            EXPECT_EQ(refusal, "") << file.name;
        } else {
            EXPECT_NE(refusal.find(file.refusal), std::string::npos)
                << file.name << ": " << refusal;
        }
        EXPECT_TRUE(testing_support::FileBytes(database.Path()) == before)
            << file.name << ": the check changed the file";
    }
}

// A store that fails the first statement holding `part` with `failure`, as SQLite would.
class FailingAt final : public testing_support::ForwardingConnection {
  public:
    FailingAt(std::string part, base::DatabaseError failure)
        : mPart(std::move(part)), mFailure(std::move(failure)) {}

  private:
    void BeforeStatement(std::string_view statement) override {
        if (statement.find(mPart) != std::string_view::npos) throw mFailure;
    }

    std::string mPart;
    base::DatabaseError mFailure;
};

// Only damage is called damage, only a value too big to load a row too long, and only a statement
// SQLite rejects a missing table: a lock, say, during any check says that it is a lock.
TEST(CheckLottoFile, SaysWhatWentWrongWhileChecking) {
    using Cause = base::DatabaseError::Cause;
    const std::string locked =
        "Datenbankfehler: Die Datenbank ist von einem anderen Programm "
        "gesperrt. (SQLite: „database is locked“)";
    struct Case {
        const char* during;
        Cause cause;
        const char* said;
        const char* notSaid;
    };
    const Case cases[] = {
        {"quick_check", Cause::Other, "gesperrt", "beschädigt"},
        {"quick_check", Cause::Damage, "beschädigt (nicht lesbar)", "gesperrt"},
        {"length(", Cause::Other, "gesperrt", "länger"},
        {"length(", Cause::TooBig, "länger als 100000000 Bytes", "gesperrt"},
        {"where 0", Cause::Other, "gesperrt", "fehlt"},
        {"where 0", Cause::Rejected, "fehlt in der Datenbank", "beschädigt"},
    };
    for (const Case& c : cases) {
        TempDatabase database;
        database.AddRows(3);
        FailingAt connection(c.during, base::DatabaseError(locked, c.cause));
        connection.Open(database.ConnectionText());
        try {
            store::CheckLottoFile(connection, database.Path());
            ADD_FAILURE() << c.during << ": no failure";
        } catch (const base::DatabaseError& failure) {
            const std::string message = failure.what();
            EXPECT_NE(message.find(c.said), std::string::npos) << c.during << ": " << message;
            EXPECT_EQ(message.find(c.notSaid), std::string::npos) << c.during << ": " << message;
        }
    }
}

}  // namespace
