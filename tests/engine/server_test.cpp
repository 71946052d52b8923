// The client's answers, on which the validity measure builds: the server's parse tells a syntax
// error from a name it cannot resolve.
#include "mariadb_client.h"

#include <gtest/gtest.h>

namespace {

TEST(MariaDbServer, PrepareTellsSyntaxErrorsFromNameErrors) {
    engine::MariaDb db;
    EXPECT_EQ(db.prepare("SELECT a FROM no_such_table").code, 1146u);
    EXPECT_EQ(db.prepare("SELECT a FRM no_such_table").code, 1064u);
    EXPECT_TRUE(db.prepare("SELECT 1 FROM DUAL WHERE 1 = ?").ok());
}

}  // namespace
