#pragma once

#include <optional>
#include <utility>

#include "base/Limits.h"
#include "store/platform/FileIdentity.h"
#include "store/sqlite/Connection.h"

struct sqlite3;
struct sqlite3_stmt;

namespace store {

// How long a statement waits for another program's lock before it fails.
inline constexpr int kBusyTimeoutMilliseconds = 2000;
// The program's store: a connection to an SQLite database file. Open never creates the file;
// every statement runs in its own transaction, which is on disk when Execute returns.
class SqliteConnection final : public Connection {
  public:
    // `lengthLimit`: the longest text or blob the connection loads; longer ones are refused.
    explicit SqliteConnection(int lengthLimit = base::kLongestValueLoaded)
        : mLengthLimit(lengthLimit) {}
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;
    ~SqliteConnection() override;

    void Open(const std::string& connectionText) override;
    std::unique_ptr<Recordset> Execute(const std::string& statement) override;
    void ExecuteWithText(std::string_view statement, std::string_view text) override;
    void Close() override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;
    bool InTransaction() const override;
    std::uint64_t OwnChanges() override;
    std::uint64_t OtherProgramsStamp() override;
    std::string ReadOnlyNotice() const override;
    std::string QuickCheck() override;

  private:
    void CheckFileIsStillThere() const;
    // Throws the error of `resultCode`; a damaged file is remembered, and written to no more,
    // once SQLite's quick check confirms the damage on content it could read.
    [[noreturn]] void Fail(int resultCode);
    [[noreturn]] void Fail(int resultCode, const std::string& detail);
    enum class Verdict { Sound, Damaged, NotDone };
    // The quick check run directly, for a statement that failed: whether the file is damaged.
    Verdict RunQuickCheck() noexcept;
    [[noreturn]] void ThrowDamaged() const;

    sqlite3* mDb = nullptr;
    sqlite3_stmt* mDataVersion = nullptr;  // "pragma data_version", prepared once
    std::string mKeptStatementText;        // the last statement of ExecuteWithText
    sqlite3_stmt* mKeptStatement = nullptr;
    std::string mPath;
    std::optional<FileIdentity> mFileIdentity;  // of the file when it was opened
    bool mDamaged = false;                      // SQLite found the file damaged
    // Why the file is open for reading only; nothing while it is open for writing.
    std::optional<std::string> mReadOnlyReason;
    int mLengthLimit;
};

}  // namespace store
