#pragma once

#include <string>
#include <string_view>

#include "store/sqlite/SqliteConnection.h"

namespace testing_support {

// The program's own store, with a moment before every statement at which a test can play
// another program or a failing disk.
class ForwardingConnection : public store::Connection {
  public:
    void Open(const std::string& text) override { mStore.Open(text); }
    std::unique_ptr<store::Recordset> Execute(const std::string& statement) override {
        BeforeStatement(statement);
        return mStore.Execute(statement);
    }
    void ExecuteWithText(std::string_view statement, std::string_view text) override {
        BeforeStatement(statement);
        mStore.ExecuteWithText(statement, text);
    }
    void Close() override { mStore.Close(); }
    void BeginTrans() override { mStore.BeginTrans(); }
    void CommitTrans() override { mStore.CommitTrans(); }
    void RollbackTrans() override { mStore.RollbackTrans(); }
    bool InTransaction() const override { return mStore.InTransaction(); }
    std::uint64_t OwnChanges() override { return mStore.OwnChanges(); }
    std::uint64_t OtherProgramsStamp() override { return mStore.OtherProgramsStamp(); }
    std::string ReadOnlyNotice() const override { return mStore.ReadOnlyNotice(); }
    std::string QuickCheck() override {
        BeforeStatement("pragma quick_check");
        return mStore.QuickCheck();
    }

  protected:
    virtual void BeforeStatement(std::string_view statement) = 0;

  private:
    store::SqliteConnection mStore;
};

}  // namespace testing_support
