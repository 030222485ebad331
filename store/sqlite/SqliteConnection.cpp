#include "store/sqlite/SqliteConnection.h"

#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

#include "base/AsciiText.h"
#include "base/Errors.h"
#include "store/platform/ConnectionText.h"
#include "store/platform/FileIdentity.h"
#include "store/platform/SystemError.h"
#include "store/sqlite/FailureNote.h"
#include "store/sqlite/FailureText.h"
#include "store/sqlite/FileWatch.h"
#include "store/sqlite/SpecialFiles.h"

namespace store {
namespace {

constexpr std::string_view kQuickCheck = "pragma quick_check";

bool IsDamage(int resultCode) {
    return (resultCode & 0xff) == SQLITE_CORRUPT || (resultCode & 0xff) == SQLITE_NOTADB;
}

// Whether the failed call the file layer noted explains `resultCode`. SQLite's Unix layer reports
// a read the disk refused as a damaged page.
bool Explains(const std::optional<FileFailure>& failure, int resultCode) {
    if (!failure) return false;
    const int primary = resultCode & 0xff;
    return primary == SQLITE_IOERR || primary == SQLITE_FULL || primary == SQLITE_CANTOPEN ||
           (primary == SQLITE_READONLY && failure->call == FileCall::Open) ||
           (IsDamage(resultCode) && ReadFailed());
}

// Throws the error of `resultCode`, told by what the file layers noted since the statement began.
[[noreturn]] void ThrowError(int resultCode, std::string_view detail, std::string_view file = {}) {
    // A file SQLite could not open because it is a pipe, socket or device: say which one.
    if (std::optional<SpecialFile> refused = RefusedFile()) {
        throw base::DatabaseError(SpecialFileMessage(*refused));
    }
    if (const std::optional<FileFailure> failure = NotedFailure(); Explains(failure, resultCode)) {
        throw base::DatabaseError(FailedCallMessage(resultCode, *failure, detail));
    }
    using Cause = base::DatabaseError::Cause;
    const int primary = resultCode & 0xff;
    const Cause cause = IsDamage(resultCode)       ? Cause::Damage
                        : primary == SQLITE_TOOBIG ? Cause::TooBig
                        : primary == SQLITE_ERROR  ? Cause::Rejected
                                                   : Cause::Other;
    throw base::DatabaseError(DescribeSqliteError(resultCode, detail, file), cause);
}

// A look at the file that failed says nothing about the file, least of all that it was replaced.
[[noreturn]] void ThrowFailedLook(const std::string& path, int systemCode) {
    throw base::DatabaseError(FailedLookMessage(path, systemCode));
}

[[noreturn]] void ThrowError(sqlite3* db, int resultCode) {
    ThrowError(resultCode, db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode));
}

// SQLite's own advice for database files that may come from anywhere: no schema object may run
// functions with side effects, the schema cannot be written through pragmas, every b-tree cell is
// checked as it is read, no memory mapping (a damaged file could fault the process), and no
// text or blob beyond `lengthLimit` is ever loaded into memory.
int Harden(sqlite3* db, int lengthLimit) {
    int resultCode = sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    if (resultCode == SQLITE_OK) {
        resultCode = sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    }
    // Triggers never fire, even one that another program adds while this one runs: no statement
    // of the program may do more than it says, or the row count would drift from the table.
    if (resultCode == SQLITE_OK) {
        resultCode = sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    }
    if (resultCode == SQLITE_OK) {
        resultCode = sqlite3_exec(db, "pragma cell_size_check = on; pragma mmap_size = 0", nullptr,
                                  nullptr, nullptr);
    }
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, lengthLimit);
    return resultCode;
}

class SqliteRecordset final : public Recordset {
  public:
    // `fail` throws the error of a result code, given SQLite's words for it.
    using Fail = std::function<void(int resultCode, const std::string& detail)>;

    SqliteRecordset(sqlite3* db, sqlite3_stmt* statement, Fail fail)
        : mDb(db), mStatement(statement), mFail(std::move(fail)) {}
    ~SqliteRecordset() override { Close(); }

    bool Eof() const override { return mStatement == nullptr || mAtEnd; }

    void MoveNext() override {
        if (Eof()) throw base::DatabaseError(std::string(kNoNextRecord));
        Step();
    }

    FieldValue Field(std::string_view name) const override {
        if (Eof()) throw base::DatabaseError(std::string(kNoCurrentRecord));
        for (int column = 0; column < sqlite3_column_count(mStatement); ++column) {
            const char* columnName = sqlite3_column_name(mStatement, column);
            if (columnName != nullptr && base::EqualsIgnoringAsciiCase(columnName, name))
                return Value(column);
        }
        throw base::DatabaseError(MissingFieldMessage(name));
    }

    void Close() override {
        sqlite3_finalize(mStatement);
        mStatement = nullptr;
    }

    // Moves to the next row; throws, leaving the set closed, when SQLite fails, or when the
    // system failed a read: then the rows are not what the file holds.
    void Step() {
        int resultCode = sqlite3_step(mStatement);
        if (ReadFailed() && (resultCode == SQLITE_ROW || resultCode == SQLITE_DONE)) {
            resultCode = SQLITE_IOERR_READ;
        }
        if (resultCode == SQLITE_ROW) return;
        mAtEnd = true;
        if (resultCode != SQLITE_DONE) {
            std::string detail =
                resultCode == SQLITE_IOERR_READ ? sqlite3_errstr(resultCode) : sqlite3_errmsg(mDb);
            Close();
            mFail(resultCode, detail);
            ThrowError(resultCode, detail);  // not reached: mFail throws
        }
    }

  private:
    FieldValue Value(int column) const {
        switch (sqlite3_column_type(mStatement, column)) {
            case SQLITE_INTEGER:
                return FieldValue(sqlite3_column_int64(mStatement, column));
            case SQLITE_FLOAT:
                return FieldValue(sqlite3_column_double(mStatement, column));
            case SQLITE_NULL:
                return FieldValue();
            default: {
                const unsigned char* text = sqlite3_column_text(mStatement, column);
                int bytes = sqlite3_column_bytes(mStatement, column);
                return FieldValue(std::string(reinterpret_cast<const char*>(text), bytes));
            }
        }
    }

    sqlite3* mDb;
    sqlite3_stmt* mStatement;
    Fail mFail;
    bool mAtEnd = false;
};

}  // namespace

SqliteConnection::~SqliteConnection() { Close(); }

void SqliteConnection::Open(const std::string& connectionText) {
    if (mDb != nullptr) throw base::DatabaseError(std::string(kConnectionAlreadyOpen));
    const std::string path = DatabasePathOf(connectionText);
    GuardSqliteOpens();
    WatchSqliteFiles();
    // SQLite opens a file it fails to open for writing for reading only, without a word. One
    // failed call of a disk is no reason to keep it so: it is opened once more.
    for (int attempt = 1;; ++attempt) {
        const bool lastAttempt = attempt == 2;
        ForgetFailures();
        sqlite3* db = nullptr;
        // Never SQLITE_OPEN_CREATE: a missing file must not silently become an empty database.
        int resultCode = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        const bool readOnly = resultCode == SQLITE_OK && sqlite3_db_readonly(db, "main") == 1;
        const std::optional<FileFailure> notWritable = readOnly ? NotedFailure() : std::nullopt;
        // The notice tells why the file is open for reading only; what fails from here on is
        // another failure.
        if (readOnly) ForgetFailures();
        if (readOnly && !lastAttempt) {
            sqlite3_close_v2(db);
            continue;
        }
        if (resultCode == SQLITE_OK) {
            sqlite3_extended_result_codes(db, 1);
            sqlite3_busy_timeout(db, kBusyTimeoutMilliseconds);
            resultCode = Harden(db, mLengthLimit);
        }
        if (resultCode == SQLITE_OK) {
            // Reading the schema tells at once whether the file is a database at all.
            resultCode =
                sqlite3_exec(db, "select count(*) from sqlite_schema", nullptr, nullptr, nullptr);
        }
        if (resultCode != SQLITE_OK) {
            const std::string detail =
                db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode);
            sqlite3_close_v2(db);
            ThrowError(resultCode, detail, path);
        }
        const FileLook look = LookAt(path);
        if (look.failure != 0) {
            sqlite3_close_v2(db);
            ThrowFailedLook(path, look.failure);
        }
        mDb = db;
        mPath = path;
        mFileIdentity = look.identity;
        mReadOnlyReason.reset();
        if (readOnly) mReadOnlyReason = SystemReason(notWritable ? notWritable->systemCode : 0);
        return;
    }
}

std::string SqliteConnection::ReadOnlyNotice() const {
    if (!mReadOnlyReason) return {};
    return store::ReadOnlyNotice(mPath, *mReadOnlyReason);
}

void SqliteConnection::CheckFileIsStillThere() const {
    // An open database file that is deleted or replaced keeps taking writes that no one will
    // ever read again; better to say so.
    const FileLook look = LookAt(mPath);
    if (look.failure != 0) ThrowFailedLook(mPath, look.failure);
    if (look.identity != mFileIdentity) {
        throw base::DatabaseError(ReplacedFileMessage(mPath));
    }
}

std::unique_ptr<Recordset> SqliteConnection::Execute(const std::string& statement) {
    if (mDb == nullptr) throw base::DatabaseError(std::string(kConnectionNotOpen));
    CheckFileIsStillThere();
    ForgetFailures();
    sqlite3_stmt* prepared = nullptr;
    const char* tail = nullptr;
    int resultCode = sqlite3_prepare_v2(mDb, statement.data(), static_cast<int>(statement.size()),
                                        &prepared, &tail);
    if (resultCode != SQLITE_OK) Fail(resultCode);
    const char* end = statement.data() + statement.size();
    bool onlyBlanksFollow = std::all_of(
        tail, end, [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
    if (prepared == nullptr || !onlyBlanksFollow) {
        sqlite3_finalize(prepared);
        throw base::DatabaseError(std::string(kNotOneStatement));
    }
    if (mDamaged && !sqlite3_stmt_readonly(prepared)) {
        sqlite3_finalize(prepared);
        ThrowDamaged();
    }
    auto recordset = std::make_unique<SqliteRecordset>(
        mDb, prepared,
        [this](int resultCode, const std::string& detail) { Fail(resultCode, detail); });
    recordset->Step();
    return recordset;
}

void SqliteConnection::ExecuteWithText(std::string_view statement, std::string_view text) {
    if (mDb == nullptr) throw base::DatabaseError(std::string(kConnectionNotOpen));
    // Inside a transaction the file is checked when it begins and when it is committed.
    if (!InTransaction()) CheckFileIsStillThere();
    ForgetFailures();
    if (mDamaged) ThrowDamaged();
    if (mKeptStatement == nullptr || mKeptStatementText != statement) {
        sqlite3_finalize(mKeptStatement);
        mKeptStatement = nullptr;
        mKeptStatementText.clear();
        const char* tail = nullptr;
        const int resultCode =
            sqlite3_prepare_v3(mDb, statement.data(), static_cast<int>(statement.size()),
                               SQLITE_PREPARE_PERSISTENT, &mKeptStatement, &tail);
        if (resultCode != SQLITE_OK) Fail(resultCode);
        if (mKeptStatement == nullptr || tail != statement.data() + statement.size() ||
            sqlite3_bind_parameter_count(mKeptStatement) != 1) {
            sqlite3_finalize(mKeptStatement);
            mKeptStatement = nullptr;
            throw base::DatabaseError(std::string(kNotOneStatementWithParameter));
        }
        mKeptStatementText.assign(statement);
    }
    int resultCode = sqlite3_bind_text64(mKeptStatement, 1, text.data(), text.size(), SQLITE_STATIC,
                                         SQLITE_UTF8);
    if (resultCode == SQLITE_OK) resultCode = sqlite3_step(mKeptStatement);
    sqlite3_reset(mKeptStatement);
    sqlite3_clear_bindings(mKeptStatement);
    if (resultCode != SQLITE_DONE && resultCode != SQLITE_ROW) Fail(resultCode);
}

void SqliteConnection::Fail(int resultCode) { Fail(resultCode, sqlite3_errmsg(mDb)); }

void SqliteConnection::Fail(int resultCode, const std::string& detail) {
    // SQLite also calls a page damaged that the disk would not give, and its own check of the
    // file lists such a page among its findings: only a finding on what it could read says that
    // the file is damaged. (A read failing during the check counts as well.)
    const Verdict check = IsDamage(resultCode) ? RunQuickCheck() : Verdict::NotDone;
    if (ReadFailed()) {
        // What a short read left in SQLite's cache in place of the file's bytes must go.
        sqlite3_db_release_memory(mDb);
        ThrowError(resultCode, detail);
    }
    if (check == Verdict::Damaged) {
        mDamaged = true;
        ThrowDamaged();
    }
    if (IsDamage(resultCode)) {
        throw base::DatabaseError(UnreadablePageMessage(mPath, check == Verdict::Sound, detail));
    }
    if ((resultCode & 0xff) == SQLITE_READONLY && mReadOnlyReason) {
        throw base::DatabaseError(ReadOnlyRefusalMessage(mPath, *mReadOnlyReason));
    }
    ThrowError(resultCode, detail);
}

SqliteConnection::Verdict SqliteConnection::RunQuickCheck() noexcept {
    sqlite3_stmt* check = nullptr;
    int resultCode = sqlite3_prepare_v2(mDb, kQuickCheck.data(), -1, &check, nullptr);
    if (resultCode == SQLITE_OK) resultCode = sqlite3_step(check);
    const unsigned char* finding =
        resultCode == SQLITE_ROW ? sqlite3_column_text(check, 0) : nullptr;
    Verdict result = Verdict::NotDone;
    if (resultCode == SQLITE_ROW) {
        const bool sound =
            finding != nullptr &&
            std::string_view(reinterpret_cast<const char*>(finding)) == kSoundFinding;
        result = sound ? Verdict::Sound : Verdict::Damaged;
    } else if (IsDamage(resultCode)) {
        result = Verdict::Damaged;
    }
    sqlite3_finalize(check);
    return result;
}

std::string SqliteConnection::QuickCheck() {
    const std::vector<std::string> findings =
        ColumnTexts(*this, std::string(kQuickCheck), "quick_check");
    return findings.empty() ? "keine Antwort" : findings.front();
}

void SqliteConnection::ThrowDamaged() const {
    throw base::DatabaseError(DamagedFileMessage(mPath), base::DatabaseError::Cause::Damage);
}

void SqliteConnection::BeginTrans() { Execute("begin immediate"); }

void SqliteConnection::CommitTrans() { Execute("commit"); }

void SqliteConnection::RollbackTrans() {
    // Undoing needs no check that the file is still there: it is the way out when it is not.
    if (mDb == nullptr) return;
    // The rollback is a statement of its own: what the one it undoes noted is told already.
    ForgetFailures();
    const int resultCode = sqlite3_exec(mDb, "rollback", nullptr, nullptr, nullptr);
    if (resultCode != SQLITE_OK) ThrowError(mDb, resultCode);
}

bool SqliteConnection::InTransaction() const {
    return mDb != nullptr && sqlite3_get_autocommit(mDb) == 0;
}

std::uint64_t SqliteConnection::OtherProgramsStamp() {
    // data_version moves with every commit of another connection. Asked before every draw, so
    // the statement is prepared once.
    if (mDb == nullptr) throw base::DatabaseError(std::string(kConnectionNotOpen));
    CheckFileIsStillThere();
    ForgetFailures();
    if (mDataVersion == nullptr) {
        const int resultCode =
            sqlite3_prepare_v2(mDb, "pragma data_version", -1, &mDataVersion, nullptr);
        if (resultCode != SQLITE_OK) ThrowError(mDb, resultCode);
    }
    const int resultCode = sqlite3_step(mDataVersion);
    const auto version = static_cast<std::uint64_t>(sqlite3_column_int64(mDataVersion, 0));
    sqlite3_reset(mDataVersion);
    if (resultCode != SQLITE_ROW) Fail(resultCode);
    return version;
}

std::uint64_t SqliteConnection::OwnChanges() {
    return static_cast<std::uint64_t>(sqlite3_total_changes64(mDb));
}

void SqliteConnection::Close() {
    sqlite3_finalize(mDataVersion);
    mDataVersion = nullptr;
    sqlite3_finalize(mKeptStatement);
    mKeptStatement = nullptr;
    mKeptStatementText.clear();
    sqlite3_close_v2(mDb);
    mDb = nullptr;
}

std::unique_ptr<Connection> CreateConnection() { return std::make_unique<SqliteConnection>(); }

}  // namespace store
