#include "store/sqlite/SeriesCache.h"

#include <gtest/gtest.h>

#include "store/sqlite/SeriesStatements.h"
#include "store/sqlite/SqliteConnection.h"
#include "tests/support/TempDatabase.h"

namespace {

class SeriesCacheTest : public ::testing::Test {
  protected:
    void SetUp() override {
        database.AddRows(3);
        connection.Open(database.ConnectionText());
    }

    // The rows as the cache gives them, reading the table only when it is not current.
    std::vector<std::string> Rows() {
        if (!cache.IsCurrent(connection)) {
            ++loads;
            cache.Load(*connection.Execute(std::string(store::kListStatement)));
        }
        return cache.Texts();
    }

    testing_support::TempDatabase database;
    store::SqliteConnection connection;
    store::SeriesCache cache;
    int loads = 0;
};

TEST_F(SeriesCacheTest, ReadsTheTableOnlyWhenItChanged) {
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(cache.Keys()[0].plain());
}

TEST_F(SeriesCacheTest, SeesEveryChangeOfThisOrAnotherProgram) {
    Rows();
    connection.ExecuteWithText(store::kInsertStatement, "07,8");  // this program
    EXPECT_EQ(Rows().back(), "07,8");
    EXPECT_FALSE(cache.Keys().back().plain());

    database.Exec("insert into tblLotterySeries (BallNumberList) values ('1,2')");  // another one
    EXPECT_EQ(Rows().back(), "1,2");

    database.Exec("update tblLotterySeries set BallNumberList = 'x' where BallNumberList = '1,2'");
    EXPECT_EQ(Rows().back(), "x");

    connection.Execute(std::string(store::kDeleteAllStatement));
    EXPECT_TRUE(Rows().empty());

    database.Exec("insert into tblLotterySeries (BallNumberList) values ('9,9')");
    EXPECT_EQ(Rows(), std::vector<std::string>{"9,9"});
    EXPECT_EQ(loads, 6);
}

TEST_F(SeriesCacheTest, ReadsAgainAfterALoadThatFailed) {
    Rows();
    database.Exec("insert into tblLotterySeries (BallNumberList) values ('4,5')");
    ASSERT_FALSE(cache.IsCurrent(connection));
    auto list = connection.Execute("select 1 as Other");
    EXPECT_THROW(cache.Load(*list), std::exception);
    EXPECT_FALSE(cache.IsCurrent(connection));
    EXPECT_EQ(Rows().back(), "4,5");
}

}  // namespace
