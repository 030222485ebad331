#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The data-access layer the window talks to: a connection that is opened with a connection
// text and executes statement texts, and forward-only result sets walked once and closed.
namespace store {

// One field of the current row.
class FieldValue {
  public:
    using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

    FieldValue() = default;
    explicit FieldValue(Value value) : mValue(std::move(value)) {}

    bool IsNull() const { return std::holds_alternative<std::monostate>(mValue); }
    // The value as text; numbers in plain decimal, null as the empty text.
    std::string Text() const;
    // The value as a number; throws ConversionError for null or a text that is not a number.
    double Number() const;

  private:
    Value mValue;
};

class Recordset {
  public:
    virtual ~Recordset() = default;

    // True when no row is current: the set was empty, or MoveNext went past the last row.
    // (Named Eof because EOF is a macro of the C library.)
    virtual bool Eof() const = 0;
    virtual void MoveNext() = 0;
    // The field of the current row whose column name equals `name` without regard to case.
    virtual FieldValue Field(std::string_view name) const = 0;
    virtual void Close() = 0;
};

// What Connection::QuickCheck finds in a sound file.
inline constexpr std::string_view kSoundFinding = "ok";

class Connection {
  public:
    virtual ~Connection() = default;

    // Opens the database that `connectionText` names; throws DatabaseError on failure.
    virtual void Open(const std::string& connectionText) = 0;
    // Runs one statement. For a select the result set is positioned on its first row; for other
    // statements it is at its end. Every change has reached the disk when Execute returns.
    virtual std::unique_ptr<Recordset> Execute(const std::string& statement) = 0;
    // Runs a statement that changes rows, with its one parameter ("?") bound to `text`, which
    // goes in exactly as given. The statement is prepared once and kept for the next call with
    // the same statement, so a batch of many rows is not parsed again for every row. Every
    // change has reached the disk when it returns, or within a transaction at CommitTrans.
    virtual void ExecuteWithText(std::string_view statement, std::string_view text) = 0;
    virtual void Close() = 0;

    // Groups the following statements so that they reach the disk together at CommitTrans.
    virtual void BeginTrans() = 0;
    virtual void CommitTrans() = 0;
    virtual void RollbackTrans() = 0;
    // True between BeginTrans and CommitTrans/RollbackTrans, unless the database gave up the
    // transaction itself after a failure.
    virtual bool InTransaction() const = 0;
    // How many rows this connection changed since it opened; other programs' changes move
    // OtherProgramsStamp instead. Asks nothing of the file.
    virtual std::uint64_t OwnChanges() = 0;
    // A value that changes whenever another program changed the database.
    virtual std::uint64_t OtherProgramsStamp() = 0;
    // Empty while the database is open for writing; else a message saying that it could be
    // opened for reading only, why, and what that means.
    virtual std::string ReadOnlyNotice() const = 0;
    // SQLite's quick check of the whole file: its first finding, kSoundFinding when the file is
    // sound. Throws DatabaseError as Execute does when the check cannot run.
    virtual std::string QuickCheck() = 0;
};

// Every row of `column` in the result of `statement`, as text, in the order of the result.
std::vector<std::string> ColumnTexts(Connection& connection, const std::string& statement,
                                     std::string_view column);

// A new, closed connection to the program's own store.
std::unique_ptr<Connection> CreateConnection();

}  // namespace store
