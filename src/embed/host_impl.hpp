// The state of one substitute host: its tables, variables, settings, and the call under way.
#pragma once

#include <tarnvel/host.hpp>

#include "embed/tables.hpp"
#include "embed/variables.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvel {

struct Host::Impl {
    explicit Impl(Library lib) : library(std::move(lib)) {}

    Library library;
    embed::SlotTable handles = embed::make_handle_table();
    embed::SlotTable pointers = embed::make_pointer_table();
    embed::VariableStore variables;
    int session = 1;
    tv_word window = 0;
    std::optional<std::size_t> budget_bytes;
    std::optional<std::size_t> budget_operations;
    std::vector<HostAction> actions;

    // The functions called so far, found by name in the table of request 14 and their type strings
    // read once: FoxPro, too, looks a function up when it meets the name, not on every call.
    struct Known {
        std::string name;                         // as the caller wrote it
        const FoxInfo *info = nullptr;
        std::vector<std::pair<char, bool>> params;  // type letter, optional
    };
    std::vector<Known> known;
    const Known &lookup(std::string_view name);

    // The call under way: what the library returned, and the first error raised.
    bool returned = false;
    Value result{};
    std::optional<Error> error;

    // --- requests to the library (host.cpp) ---
    tv_word request(tv_word code, tv_word arg0 = 0, tv_word arg1 = 0, tv_word function = 0, tv_word *second = nullptr);
    const FoxTable *initialise();  // request 0 on the calling thread
    const FoxTable *table();       // request 14
    MHANDLE obtain(std::size_t size);  // 0 when the library refuses
    void release(MHANDLE handle);
    char *address(MHANDLE handle);
    MHANDLE store(std::string_view bytes);  // a new handle holding 'bytes'; 0 when refused
    std::string fetch(MHANDLE handle, std::size_t length);
    Result invoke(FoxFunction function, const std::vector<Arg> &args);
    Result take_result();

    // --- answering the library (callback.cpp) ---
    tv_word answer(CallbackBlock &block);
    void record(Error error);
};

namespace embed {

// The address of the host callback handed to the library at request 0.
tv_word callback_address();

// Makes a host the one the callback answers for on this thread, for as long as it lives.
class CurrentHost {
public:
    explicit CurrentHost(Host::Impl *host);
    ~CurrentHost();
    CurrentHost(const CurrentHost &) = delete;
    CurrentHost &operator=(const CurrentHost &) = delete;

private:
    Host::Impl *previous_;
};

}  // namespace embed
}  // namespace tarnvel
