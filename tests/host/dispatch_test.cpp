// The entry layer as the host sees it: requests, handle and pointer tables, unwinding after an
// error, nested entry, the memory budget and threads.
#include "raw_host.h"

#include "host/handles.h"
#include "library/dialects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <clocale>
#include <cstring>
#include <limits>
#include <string_view>
#include <thread>
#include <vector>

namespace {

using rawhost::Host;

TEST(Dispatch, InitAnswersTheTableAndVersion) {
    Host host;
    const FoxTable *table = host.init();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(host.version(), 5000u);
    EXPECT_EQ(table->next, nullptr);
    EXPECT_EQ(host.send(TV_REQ_TABLE), reinterpret_cast<tv_word>(table));
}

// The table FoxPro reads: names and type strings in order; the count is the number of types.
TEST(Dispatch, FunctionTableHoldsAll31InOrder) {
    const std::pair<const char *, const char *> rows[] = {
        {"ZQ_SQL_CREATE_STRU_CONVERT", "C,.L"}, {"ZQ_ORACLE_CREATE_STRU_CONVERT", "C"}, {"ZQ_MYSQL_CREATE_STRU_CONVERT", "C"},
        {"ZQ_ACCESS_CREATE_STRU_CONVERT", "C"}, {"ZQ_SQL_SELECT_CONVERT", "C"}, {"ZQ_ORACLE_SELECT_CONVERT", "C"},
        {"ZQ_MYSQL_SELECT_CONVERT", "C"}, {"ZQ_ACCESS_SELECT_CONVERT", "C"}, {"ZQ_SQL_RESERVED", "C"},
        {"ZQ_ORACLE_RESERVED", "C"}, {"ZQ_MYSQL_RESERVED", "C"}, {"ZQ_ACCESS_RESERVED", "C"},
        {"ZQ_SQL_FIND_TABLES", "C,C,C"}, {"ZQ_SQL_FIND_VARIABLES", "C,.L,.N"}, {"ZQ_ORACLE_FIND_VARIABLES", "C,.L"},
        {"ZQ_MYSQL_FIND_VARIABLES", "C,.L"}, {"ZQ_SQL_REMOVE_DIRECTIVES", "C"}, {"ZQ_SQL_IIF", "C"},
        {"ZQ_EDITOR_COPY", ""}, {"ZQ_EDITOR_PASTE", ""}, {"ZQ_WONTOP", ""}, {"ZQV_SETLOC", "C"}, {"ZQV_GETLOC", ""},
        {"ZQV_ISALPHA", "C"}, {"ZQV_AT", "C,C,.N,.L,.L"}, {"ZQV_STRTRAN", "C,C,C,.L,.L,.L"}, {"ZQV_SETFROMFOX", "L"},
        {"ZQ_PGSQL_SELECT_CONVERT", "C"}, {"ZQ_PGSQL_CREATE_STRU_CONVERT", "C,.L"}, {"ZQ_PGSQL_RESERVED", "C"},
        {"ZQ_PGSQL_FIND_VARIABLES", "C,.L"},
    };
    Host host;
    const FoxTable *table = host.init();
    ASSERT_EQ(table->count, 31);
    for (int i = 0; i < 31; ++i) {
        const auto &[expected_name, expected_types] = rows[i];
        SCOPED_TRACE(expected_name);
        // the entries are packed: copy each field before looking at it
        const char *name = table->infos[i].name;
        const char *types = table->infos[i].parameter_types;
        int count = table->infos[i].parameter_count;
        FoxFunction function = table->infos[i].function;
        const std::string_view type_string(expected_types);
        EXPECT_STREQ(name, expected_name);
        EXPECT_STREQ(types, expected_types);
        EXPECT_EQ(count, type_string.empty() ? 0 : 1 + std::count(type_string.begin(), type_string.end(), ','));
        EXPECT_NE(function, nullptr);
    }
}

TEST(Dispatch, HandlesAreZeroFilledTaggedAndNeverZero) {
    Host host;
    MHANDLE a = host.alloc(10, 7);
    ASSERT_NE(a, 0u);
    char *bytes = host.address(a);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(bytes[i], 0);
    std::uint16_t tag;
    std::memcpy(&tag, bytes - 2, 2);
    EXPECT_EQ(tag, 7);
    EXPECT_EQ(host.handle_next_free(), a);  // the next-free index stays on the slot just used
    MHANDLE b = host.alloc(5);
    EXPECT_EQ(b, a + 1);
    host.free(a);
    EXPECT_EQ(host.handle_next_free(), a);  // lowered by a release
    EXPECT_EQ(host.alloc(3), a);            // and reused
    host.free(a);
    host.free(b);
    host.free(0);      // ignored
    host.free(60000);  // beyond the capacity: ignored
    EXPECT_EQ(host.address(0), nullptr);
    EXPECT_EQ(host.handles_in_use(), 0u);
}

// Freed blocks may be handed out again: whatever a released handle held, a new one starts
// zero-filled, at every size (small blocks kept for reuse and large ones alike), and a block
// that grows keeps its bytes and gets zeros after them.
TEST(Dispatch, ReusedBlocksStartZeroFilled) {
    Host host;
    namespace d = tarnvel::dispatch;
    for (std::size_t size : {1u, 14u, 46u, 100u, 333u, 1000u, 4000u, 8200u, 70000u}) {
        SCOPED_TRACE(size);
        for (int round = 0; round < 12; ++round) {  // more rounds than blocks are kept
            MHANDLE h = host.alloc(size);
            ASSERT_NE(h, 0u);
            char *bytes = host.address(h);
            for (std::size_t i = 0; i < size; ++i) ASSERT_EQ(bytes[i], 0) << "round " << round << ", byte " << i;
            std::memset(bytes, 'x', size);
            ASSERT_TRUE(d::handle_resize(h, size + 50));
            bytes = host.address(h);
            EXPECT_EQ(bytes[size - 1], 'x');
            EXPECT_EQ(bytes[size + 49], 0);
            std::memset(bytes, 'y', size + 50);
            host.free(h);
        }
    }
    EXPECT_EQ(host.handles_in_use(), 0u);
}

// A table whose next-free index starts at slot 0 still never answers 0; a full one answers 0.
TEST(Dispatch, HandleTableEdgesNeverAnswerAHandleOfZeroOrPastTheEnd) {
    Host host(4);  // slots 1 to 3 usable
    Host::write16(host.handle_table(), 0);
    MHANDLE h[3];
    for (auto &x : h) x = host.alloc(1);
    EXPECT_EQ(h[0], 1u);
    EXPECT_EQ(host.alloc(1), 0u);
    for (auto x : h) host.free(x);
    EXPECT_EQ(host.handles_in_use(), 0u);
}

// A pointer table hands out indexes 1 up to its capacity, never 0 (even when its next-free index
// starts at 0), and a release lowers the next-free index so the slot is used again.
TEST(Dispatch, PointerTableRegistersReleasesAndLooksUp) {
    for (std::uint16_t next_free : {1, 0}) {
        SCOPED_TRACE(next_free);
        Host host(10, 4);  // indexes 1 to 3 usable
        Host::write16(host.pointer_table(), next_free);
        int x = 0, y = 0, z = 0;
        const auto put = [&host](int *p) { return host.send(TV_REQ_POINTER_REGISTER, reinterpret_cast<tv_word>(p)); };
        EXPECT_EQ(put(&x), 1u);
        EXPECT_EQ(put(&y), 2u);
        host.send(TV_REQ_POINTER_RELEASE, 1);
        host.send(TV_REQ_POINTER_RELEASE, 1);  // already free: nothing changes
        EXPECT_EQ(host.pointers_used(), 1);
        EXPECT_EQ(put(&z), 1u);  // not 3
        EXPECT_EQ(put(&x), 3u);
        EXPECT_EQ(put(&y), 0u);  // full
        EXPECT_EQ(host.pointers_used(), 3);
        EXPECT_EQ(host.send(TV_REQ_POINTER_LOOKUP, 2), reinterpret_cast<tv_word>(&y));
        EXPECT_EQ(host.send(TV_REQ_POINTER_LOOKUP, 0), 0u);
        EXPECT_EQ(host.send(TV_REQ_POINTER_LOOKUP, 99), 0u);
    }
}

// The two call requests that hand the function its arguments in registers: the words reach it
// in order, and the second gives back what the function answers.
tv_word two_seen[2];
void TV_FASTCALL call_two(tv_word a, tv_word b) {
    two_seen[0] = a;
    two_seen[1] = b;
}
tv_word TV_FASTCALL call_with_params(tv_word a, void *params) { return params ? a * 10 : 0; }

TEST(Dispatch, RegisterCallsPassTheirWordsAndAnswer) {
    Host host;
    host.send(TV_REQ_CALL_TWO, 3, 4, reinterpret_cast<tv_word>(&call_two));
    EXPECT_EQ(two_seen[0], 3u);
    EXPECT_EQ(two_seen[1], 4u);
    EXPECT_EQ(host.send(TV_REQ_CALL_WITH_PARAMS, 7, 0, reinterpret_cast<tv_word>(&call_with_params)), 70u);
}

TEST(Dispatch, UnknownCodeDoesNothing) {
    Host host;
    EXPECT_EQ(host.send(777, 42), 42u);
    EXPECT_TRUE(host.requests.codes.empty());
}

// A call that ends in a user error raised by its worker.
constexpr const char *failing_select = "SELECT a FROM t WHERE x IN (SELECT b FROM u";
constexpr const char *failing_message = "SQL syntax error (subquery ')' missing) ";

TEST(Dispatch, WorkerUserErrorReachesTheHostAndNothingLeaks) {
    Host host;
    const FoxTable *table = host.init();
    const FoxInfo *select = rawhost::find(table, "ZQ_SQL_SELECT_CONVERT");
    ASSERT_NE(select, nullptr);
    host.call(*select, {{'C', failing_select}});
    ASSERT_EQ(host.requests.user_errors.size(), 1u);
    EXPECT_EQ(host.requests.user_errors[0], failing_message);
    EXPECT_FALSE(host.requests.has_returned);
    EXPECT_EQ(host.handles_in_use(), 0u);
}

TEST(Dispatch, CharacterResultIsAHandleOfTypeH) {
    Host host;
    const FoxTable *table = host.init();
    host.call(*rawhost::find(table, "ZQV_GETLOC"), {});
    ASSERT_TRUE(host.requests.has_returned);
    EXPECT_EQ(host.requests.returned.type, 'H');
    EXPECT_EQ(host.requests.returned.width, 0);
    EXPECT_EQ(host.take_text(), std::string(std::setlocale(LC_CTYPE, nullptr)));
    EXPECT_EQ(host.handles_in_use(), 0u);
}

TEST(Dispatch, BudgetMakesAWorkBufferFailWith182AndNothingLeaks) {
    Host host;
    const FoxTable *table = host.init();
    host.send(TV_REQ_SET_BUDGET, 0, static_cast<tv_word>(-1));
    host.call(*rawhost::find(table, "ZQV_SETLOC"), {});  // no argument handle: only the work buffer
    EXPECT_EQ(host.requests.errors, std::vector<int>{182});
    host.send(TV_REQ_SET_BUDGET, static_cast<tv_word>(-1), 0);  // no more obtains at all
    EXPECT_EQ(host.alloc(1), 0u);
    host.send(TV_REQ_SET_BUDGET, static_cast<tv_word>(-1), static_cast<tv_word>(-1));
    EXPECT_EQ(host.handles_in_use(), 0u);
    MHANDLE h = host.alloc(1);
    EXPECT_NE(h, 0u);
    host.free(h);
}

TEST(Dispatch, ByteBudgetCountsBytesHeldAtOnce) {
    Host host;
    host.send(TV_REQ_SET_BUDGET, 100, static_cast<tv_word>(-1));
    MHANDLE a = host.alloc(60);  // 62 bytes with the tag
    EXPECT_NE(a, 0u);
    EXPECT_EQ(host.alloc(60), 0u);  // would hold 124
    host.free(a);
    MHANDLE b = host.alloc(60);
    EXPECT_NE(b, 0u);
    host.free(b);
    host.send(TV_REQ_SET_BUDGET, static_cast<tv_word>(-1), static_cast<tv_word>(-1));
}

// A locked block never moves: it may shrink where it is, keeping its first bytes, but not grow.
TEST(Dispatch, LockedBlockNeverMovesAndUnlockedResizeKeepsContent) {
    Host host;
    namespace d = tarnvel::dispatch;
    MHANDLE h = host.alloc(64);
    std::memcpy(host.address(h), "abcdefg", 8);
    d::handle_lock(h);
    char *before = d::handle_address(h);
    ASSERT_TRUE(d::handle_resize(h, 16));
    EXPECT_EQ(d::handle_size(h), 16u);
    EXPECT_FALSE(d::handle_resize(h, 4096));
    EXPECT_EQ(d::handle_address(h), before);
    EXPECT_STREQ(before, "abcdefg");
    d::handle_unlock(h);
    ASSERT_TRUE(d::handle_resize(h, 4096));
    EXPECT_EQ(d::handle_size(h), 4096u);
    EXPECT_STREQ(d::handle_address(h), "abcdefg");
    EXPECT_EQ(d::handle_address(h)[4000], 0);  // new bytes are zero
    EXPECT_FALSE(d::handle_resize(0, 10));
    host.free(h);
}

// Obtaining locked in one step leaves what obtaining, then locking, leaves: a tagged zero-filled
// block at the address the table gives, locked exactly once (it cannot grow until one unlock),
// released in one step; under a budget that allows no obtain, no handle and no address.
TEST(Dispatch, ObtainingLockedIsObtainingThenLocking) {
    namespace d = tarnvel::dispatch;
    struct Row {
        const char *what;
        MHANDLE (*obtain)(std::size_t size, char *&address);
        int locks;
    };
    const Row rows[] = {
        {"obtain", [](std::size_t size, char *&address) {
             const MHANDLE h = d::handle_obtain(size, d::library_tag);
             address = d::handle_address(h);
             return h;
         }, 0},
        {"obtain, lock", [](std::size_t size, char *&address) {
             const MHANDLE h = d::handle_obtain(size, d::library_tag);
             d::handle_lock(h);
             address = d::handle_address(h);
             return h;
         }, 1},
        {"obtain locked", [](std::size_t size, char *&address) { return d::handle_obtain_locked(size, d::library_tag, address); }, 1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        Host host;
        MHANDLE spoil = host.alloc(40);  // a block that leaves bytes behind for the next one
        std::memset(host.address(spoil), 'x', 40);
        host.free(spoil);
        char *address = nullptr;
        const MHANDLE h = row.obtain(40, address);
        ASSERT_NE(h, 0u);
        ASSERT_EQ(address, d::handle_address(h));
        std::uint16_t tag = 0;
        std::memcpy(&tag, address - 2, 2);
        EXPECT_EQ(tag, d::library_tag);
        for (int i = 0; i < 40; ++i) ASSERT_EQ(address[i], 0) << i;
        for (int unlocks = 0; unlocks < row.locks; ++unlocks) {
            EXPECT_FALSE(d::handle_resize(h, 4096)) << "after " << unlocks << " unlocks";
            d::handle_unlock(h);
        }
        EXPECT_TRUE(d::handle_resize(h, 4096));
        d::handle_unlock_release(h);
        EXPECT_EQ(host.handles_in_use(), 0u);

        host.send(TV_REQ_SET_BUDGET, static_cast<tv_word>(-1), 0);  // no more obtains
        address = reinterpret_cast<char *>(&host);
        EXPECT_EQ(row.obtain(40, address), 0u);
        EXPECT_EQ(address, nullptr);
        host.send(TV_REQ_SET_BUDGET, static_cast<tv_word>(-1), static_cast<tv_word>(-1));
        EXPECT_EQ(host.handles_in_use(), 0u);
    }
}

// Handles the table never handed out (0, beyond the capacity, a free slot) and sizes no block can
// have: every operation answers "none" and touches nothing.
TEST(Dispatch, InvalidHandlesAndImpossibleSizesAnswerNone) {
    Host host(10);
    namespace d = tarnvel::dispatch;
    MHANDLE kept = host.alloc(4);
    std::memcpy(host.address(kept), "abc", 4);
    const tv_word huge = std::numeric_limits<tv_word>::max() / 2 + 1;
    for (MHANDLE h : {MHANDLE{0}, MHANDLE{10}, MHANDLE{60000}, MHANDLE{kept + 1}}) {
        SCOPED_TRACE(h);
        d::handle_lock(h);
        d::handle_unlock(h);
        EXPECT_EQ(d::handle_address(h), nullptr);
        EXPECT_EQ(d::handle_size(h), 0u);
        EXPECT_FALSE(d::handle_resize(h, 8));
        d::handle_release(h);
        d::handle_unlock_release(h);
    }
    EXPECT_EQ(host.alloc(static_cast<std::size_t>(huge)), 0u);
    EXPECT_FALSE(d::handle_resize(kept, static_cast<std::size_t>(huge)));
    EXPECT_STREQ(host.address(kept), "abc");  // the valid handle untouched throughout
    EXPECT_EQ(host.handles_in_use(), 1u);
    host.free(kept);
    EXPECT_EQ(DispatchAPI(nullptr), 0);  // no request block: nothing to do
}

// A character value whose length claims more than its handle holds is read only as far as the
// handle goes.
TEST(Dispatch, ArgumentIsNeverReadPastItsHandle) {
    Host host;
    const FoxInfo *strip = rawhost::find(host.init(), "ZQ_SQL_REMOVE_DIRECTIVES");
    host.call(*strip, {{'C', "ab", 0, false, 5000}});
    ASSERT_TRUE(host.requests.has_returned);
    EXPECT_EQ(host.take_text(), std::string("ab\0", 3) + " ");  // the handle's 3 bytes, then the blank
    EXPECT_EQ(host.handles_in_use(), 0u);
}

// A thread that has not sent request 0 has no tables and no callback: its requests answer as an
// empty table would, and a library function it calls runs without reaching any host.
TEST(Dispatch, ThreadWithoutInitialisationAnswersNone) {
    Host host;  // initialises the test's own thread only
    const FoxTable *table = host.init();
    const FoxInfo *wontop = rawhost::find(table, "ZQ_WONTOP");
    struct Row {
        tv_word code, arg0, answer;
    };
    int x = 0;
    const Row rows[] = {
        {TV_REQ_ALLOC, 16, 0},
        {TV_REQ_ADDRESS, 1, 0},
        {TV_REQ_FREE, 1, 1},  // nothing answered: arg0 stays
        {TV_REQ_POINTER_REGISTER, reinterpret_cast<tv_word>(&x), 0},
        {TV_REQ_POINTER_LOOKUP, 1, 0},
        {TV_REQ_POINTER_RELEASE, 1, 1},
    };
    std::thread other([&] {
        for (const Row &row : rows) {
            RequestBlock r{};
            r.code = row.code;
            r.arg0 = row.arg0;
            DispatchAPI(&r);
            EXPECT_EQ(r.arg0, row.answer) << "request " << row.code;
        }
        std::vector<unsigned char> block(sizeof(RequestBlock) + 2 + sizeof(Parameter));
        auto *call = reinterpret_cast<RequestBlock *>(block.data());
        call->code = TV_REQ_CALL;
        call->function = reinterpret_cast<tv_word>(wontop->function);
        DispatchAPI(call);  // no callback to answer or to return to: it ends quietly
    });
    other.join();
    EXPECT_EQ(host.handles_in_use(), 0u);
}

// While the library waits on a request (the window on top), the host calls into the library again
// and that nested call fails: only the nested call ends; the outer one completes.
TEST(Dispatch, NestedEntryUnwindsOnlyToItsOwnDispatcher) {
    Host host;
    const FoxTable *table = host.init();
    const FoxInfo *wontop = rawhost::find(table, "ZQ_WONTOP");
    const FoxInfo *select = rawhost::find(table, "ZQ_SQL_SELECT_CONVERT");
    // The nested call's argument, obtained before the outer call (send() reuses the request block).
    const std::string command = failing_select;
    MHANDLE argument = host.alloc(command.size() + 1);
    std::memcpy(host.address(argument), command.data(), command.size());
    bool nested_done = false;
    host.requests.extra = [&](CallbackBlock *block) {
        if (block->code == TV_HOST_TOP_WINDOW) {
            std::vector<unsigned char> inner(sizeof(RequestBlock) + 2 + sizeof(Parameter));
            auto *r = reinterpret_cast<RequestBlock *>(inner.data());
            r->code = TV_REQ_CALL;
            r->function = reinterpret_cast<tv_word>(select->function);
            ParamBlk *params = TV_REQUEST_PARAMS(r);
            params->count = 1;
            Value v{};
            v.type = 'C';
            v.handle = argument;
            v.length = static_cast<uint32_t>(command.size());
            std::memcpy(reinterpret_cast<unsigned char *>(params) + 2, &v, sizeof v);
            DispatchAPI(r);
            nested_done = true;
            block->arg0 = 5;
        } else if (block->code == TV_HOST_WINDOW_NUMBER) {
            block->arg0 = block->arg0 * 10;
        }
    };
    host.call(*wontop, {});
    host.requests.extra = nullptr;
    EXPECT_TRUE(nested_done);
    ASSERT_TRUE(host.requests.has_returned);
    EXPECT_EQ(host.requests.returned.type, 'I');
    EXPECT_EQ(host.requests.returned.integer, 50);
    EXPECT_EQ(host.requests.returned.width, 10);
    ASSERT_EQ(host.requests.user_errors.size(), 1u);
    EXPECT_EQ(host.requests.user_errors[0], failing_message);
    host.free(argument);
    EXPECT_EQ(host.handles_in_use(), 0u);
}

// Two threads at once, each with its own host, tables and callback.
TEST(Dispatch, ThreadsKeepTheirBlocksCallbacksAndUnwindingApart) {
    std::atomic<int> failures{0};
    auto worker = [&](tv_word window) {
        Host host;
        host.requests.window = window;
        const FoxTable *table = host.init();
        const FoxInfo *wontop = rawhost::find(table, "ZQ_WONTOP");
        const FoxInfo *select = rawhost::find(table, "ZQ_SQL_SELECT_CONVERT");
        for (int i = 0; i < 500; ++i) {
            host.call(*wontop, {});
            if (!host.requests.has_returned || host.requests.returned.integer != static_cast<int>(window * 10)) ++failures;
            host.call(*select, {{'C', failing_select}});
            if (host.requests.user_errors.size() != 1 || host.requests.has_returned) ++failures;
        }
        if (host.handles_in_use() != 0) ++failures;
    };
    std::thread a(worker, 1), b(worker, 2);
    a.join();
    b.join();
    EXPECT_EQ(failures.load(), 0);
}

// A result the host cannot be given is an error, never a silent success without a value.
TEST(Dispatch, CharacterResultThatCannotBeHandedOverIsError182) {
    rawhost::Host host;
    const FoxTable *table = host.init();
    host.send(TV_REQ_SET_BUDGET, static_cast<tv_word>(-1), 0);
    host.call(*rawhost::find(table, "ZQV_GETLOC"), {});
    host.send(TV_REQ_SET_BUDGET, static_cast<tv_word>(-1), static_cast<tv_word>(-1));
    EXPECT_FALSE(host.requests.has_returned);
    EXPECT_EQ(host.requests.errors, std::vector<int>{182});
    EXPECT_EQ(host.handles_in_use(), 0u);
}

// Each registry row reaches the tables of its own dialect, whichever function the host calls.
TEST(Dispatch, EachDialectsTablesAreItsOwn) {
    for (const tarnvel::DialectRow &row : tarnvel::dialects()) {
        const tarnvel::library::DialectTables &tables = tarnvel::library::tables(row.id);
        EXPECT_EQ(tables.id, row.id) << row.name;
        EXPECT_EQ(tables.select().id, row.id) << row.name;
        EXPECT_EQ(tables.structure().id, row.id) << row.name;
        EXPECT_EQ(tables.structure().expressions().id, row.id) << row.name;
        EXPECT_EQ(tables.variables.id, row.id) << row.name;
        EXPECT_EQ(&tarnvel::library::variables_by_code(row.variables_code), &tables.variables) << row.name;
    }
    EXPECT_EQ(&tarnvel::library::variables_by_code(0), &tarnvel::library::tables(tarnvel::Target::sqlserver).variables);
}

}  // namespace
