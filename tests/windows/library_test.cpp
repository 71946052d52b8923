// The library file as FoxPro meets it: loaded with LoadLibrary, reached only through its exported
// DispatchAPI. This program's own DispatchAPI forwards to the loaded one, so the bare host of the
// entry-layer tests (host/raw_host.h) talks to the file: errors come back as requests 83 and 84 with
// the handle table balanced, threads keep their own blocks, and unloading returns what loading took.
#include "host/raw_host.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "thread.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

DispatchFunction loaded_dispatch = nullptr;

}  // namespace

extern "C" int TV_FASTCALL DispatchAPI(RequestBlock *request) { return loaded_dispatch(request); }

namespace {

using rawhost::Host;

constexpr tv_word no_limit = static_cast<tv_word>(-1);

HMODULE load_library() {
    HMODULE module = LoadLibraryA(TARNVEL_LIBRARY_NAME);
    if (module) loaded_dispatch = reinterpret_cast<DispatchFunction>(reinterpret_cast<void *>(GetProcAddress(module, "DispatchAPI")));
    return module;
}

class LoadedLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = load_library();
        ASSERT_NE(module_, nullptr) << TARNVEL_LIBRARY_NAME << " does not load: error " << GetLastError();
        ASSERT_NE(loaded_dispatch, nullptr) << "no export named DispatchAPI";
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
        loaded_dispatch = nullptr;
    }
    HMODULE module_ = nullptr;
};

const FoxInfo &info(Host &host, const char *name) {
    const FoxInfo *found = rawhost::find(host.init(), name);
    if (!found) throw std::runtime_error(std::string("no library function ") + name);
    return *found;
}

std::size_t count_of(const std::vector<tv_word> &codes, tv_word code) {
    return static_cast<std::size_t>(std::count(codes.begin(), codes.end(), code));
}

TEST_F(LoadedLibrary, AnswersItsTableThroughTheExport) {
    Host host;
    const FoxTable *table = host.init();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(host.version(), 5000u);
    EXPECT_EQ(table->count, 31);
    EXPECT_EQ(GetProcAddress(module_, "DllMain"), nullptr);
}

TEST_F(LoadedLibrary, AUserErrorReachesTheHostAsRequest84AndReleasesEverything) {
    Host host;
    // The statement driver finds the subquery's closing bracket missing.
    host.call(info(host, "ZQ_SQL_SELECT_CONVERT"), {{'C', "SELECT a FROM t WHERE x IN (SELECT b FROM u"}});
    EXPECT_EQ(count_of(host.requests.codes, TV_HOST_USER_ERROR), 1u);
    ASSERT_EQ(host.requests.user_errors.size(), 1u);
    EXPECT_NE(host.requests.user_errors[0].find("subquery"), std::string::npos) << host.requests.user_errors[0];
    EXPECT_FALSE(host.requests.has_returned);  // the call ended at the error
    EXPECT_EQ(host.handles_in_use(), 0u);
    // The thread goes on: the next call works.
    host.call(info(host, "ZQ_WONTOP"), {});
    EXPECT_TRUE(host.requests.user_errors.empty());
    EXPECT_TRUE(host.requests.has_returned);
}

TEST_F(LoadedLibrary, NoMemoryReachesTheHostAsRequest83AndReleasesEverything) {
    Host host;
    host.send(TV_REQ_SET_BUDGET, no_limit, 1);  // the argument's handle, and then no more
    host.call(info(host, "ZQV_SETLOC"), {{'C', "C"}});
    host.send(TV_REQ_SET_BUDGET, no_limit, no_limit);
    EXPECT_EQ(count_of(host.requests.codes, TV_HOST_ERROR), 1u);
    EXPECT_EQ(host.requests.errors, std::vector<int>{TV_ERROR_NO_MEMORY});
    EXPECT_EQ(host.handles_in_use(), 0u);
}

TEST_F(LoadedLibrary, EachThreadKeepsItsOwnCallbackAndTables) {
    // Each thread initialises with its own tables and window on top; the window number comes back
    // through that thread's callback only.
    auto work = [](tv_word window, int *wrong) {
        Host host;
        host.requests.window = window;
        const FoxInfo &wontop = info(host, "ZQ_WONTOP");
        for (int i = 0; i < 200; ++i) {
            host.call(wontop, {});
            if (!host.requests.has_returned || host.requests.returned.integer != static_cast<int32_t>(window * 10)) ++*wrong;
        }
        if (host.handles_in_use() != 0) ++*wrong;
    };
    int wrong_a = 0, wrong_b = 0;
    wintest::Thread a([&] { work(3, &wrong_a); }), b([&] { work(5, &wrong_b); });
    a.join();
    b.join();
    EXPECT_EQ(wrong_a, 0);
    EXPECT_EQ(wrong_b, 0);
}

// How many thread-local slots the process can still take.
std::size_t free_slots() {
    std::vector<DWORD> taken;
    for (DWORD slot; (slot = TlsAlloc()) != TLS_OUT_OF_INDEXES;) taken.push_back(slot);
    for (DWORD slot : taken) TlsFree(slot);
    return taken.size();
}

// One load of the file, a call or two, and the unload, which must really unload it.
void load_call_unload(bool convert) {
    HMODULE module = load_library();
    ASSERT_NE(module, nullptr) << "the load failed: error " << GetLastError();
    {
        Host host;
        host.call(info(host, "ZQ_WONTOP"), {});
        EXPECT_TRUE(host.requests.has_returned);
        if (convert) {
            host.call(info(host, "ZQ_SQL_SELECT_CONVERT"), {{'C', "SELE a FROM t WHER b=1"}});
            ASSERT_TRUE(host.requests.has_returned);
            host.take_text();
        }
        EXPECT_EQ(host.handles_in_use(), 0u);
    }
    FreeLibrary(module);
    EXPECT_EQ(GetModuleHandleA(TARNVEL_LIBRARY_NAME), nullptr) << "the library stayed loaded";
}

// A process has about a thousand thread-local slots: a library that kept one at each unload would
// make a host that loads and releases it often fail at a later attach (or abort).
void expect_slots_returned(bool convert) {
    load_call_unload(convert);  // this program's own runtime takes its slots at the first call
    const std::size_t before = free_slots();
    for (int i = 0; i < 20; ++i) load_call_unload(convert);
    EXPECT_EQ(free_slots(), before);
    loaded_dispatch = nullptr;
}

TEST(LibraryFile, UnloadingReturnsTheThreadLocalSlot) { expect_slots_returned(false); }

// A conversion must not pin the file in memory: library code keeps no thread-local objects (the
// compiler's emulated thread-locals register a destructor that keeps the file loaded for good, or,
// for a plain type, keep a slot at each unload).
TEST(LibraryFile, AConversionLeavesTheFileUnloadable) { expect_slots_returned(true); }

}  // namespace
