// The engine tests' main: the client library's global state is released at the end, so the
// sanitizer build sees no leak of it.
#include <gtest/gtest.h>
#include <mysql.h>

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    mysql_library_init(0, nullptr, nullptr);
    int status = RUN_ALL_TESTS();
    mysql_library_end();
    return status;
}
