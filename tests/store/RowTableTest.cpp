#include "store/sqlite/RowTable.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "store/sqlite/RowStatements.h"
#include "tests/support/ForwardingConnection.h"
#include "tests/support/TempDatabase.h"

namespace {

// Counts the reads of all rows, and fails the next one when told to.
class CountingConnection : public testing_support::ForwardingConnection {
  public:
    int loads = 0;
    bool failNextLoad = false;

  protected:
    void BeforeStatement(std::string_view statement) override {
        if (statement != store::kListStatement) return;
        ++loads;
        if (std::exchange(failNextLoad, false)) throw std::runtime_error("read failed");
    }
};

class RowTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        database.AddRows(3);
        connection.Open(database.ConnectionText());
    }

    // The rows as the table gives them, reading the table only when it changed.
    std::vector<std::string> Rows() { return table.Rows().Texts(); }

    testing_support::TempDatabase database;
    CountingConnection connection;
    store::RowTable table{connection};
};

TEST_F(RowTableTest, ReadsTheTableOnlyWhenItChanged) {
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_EQ(connection.loads, 1);
    EXPECT_TRUE(table.Rows().Keys()[0].plain());
}

TEST_F(RowTableTest, SeesEveryChangeOfThisOrAnotherProgram) {
    Rows();
    connection.ExecuteWithText(store::kInsertStatement, "07,8");  // this program
    EXPECT_EQ(Rows().back(), "07,8");
    EXPECT_FALSE(table.Rows().Keys().back().plain());

    database.Exec("insert into tblLotterySeries (BallNumberList) values ('1,2')");  // another one
    EXPECT_EQ(Rows().back(), "1,2");

    database.Exec("update tblLotterySeries set BallNumberList = 'x' where BallNumberList = '1,2'");
    EXPECT_EQ(Rows().back(), "x");

    connection.Execute(std::string(store::kDeleteAllStatement));
    EXPECT_TRUE(Rows().empty());

    database.Exec("insert into tblLotterySeries (BallNumberList) values ('9,9')");
    EXPECT_EQ(Rows(), std::vector<std::string>{"9,9"});
    EXPECT_EQ(connection.loads, 6);
}

TEST_F(RowTableTest, ReadsAgainAfterALoadThatFailed) {
    Rows();
    database.Exec("insert into tblLotterySeries (BallNumberList) values ('4,5')");
    connection.failNextLoad = true;
    EXPECT_THROW(table.Rows(), std::exception);
    EXPECT_EQ(Rows().back(), "4,5");
}

}  // namespace
