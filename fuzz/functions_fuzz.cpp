// Fuzz target: every library function that takes arguments, called through DispatchAPI and the
// substitute host with arguments cut from the fuzzer's bytes, sometimes under a memory budget.
// Whatever the input, a call returns a result or a tarnvel::Error, the sanitizers stay quiet, and
// afterwards the handle table holds nothing.
//
// The input layout is in input.h.
#include "input.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

struct Fixture {
    tarnvel::Host host;
    std::vector<tarnvel::fuzz::Function> functions = tarnvel::fuzz::functions(host);

    Fixture() {
        using tarnvel::HostValue;
        host.set_variable("nA", HostValue::numeric(12.5, 2));
        host.set_variable("cName", HostValue::character("O'Neil"));
        host.set_variable("dDay", HostValue::date(2010, 8, 16));
        host.set_variable("tStamp", HostValue::datetime(2010, 8, 16, 13, 45, 0));
        host.set_variable("yPrice", HostValue::money(10500));
        host.set_variable("lFlag", HostValue::boolean(true));
        host.set_variable("xNull", HostValue::null());
        host.set_variable("SETLOCSYS_SQL_Server_Select_NoLock", HostValue::boolean(true));
        host.set_variable("___TARNVEL_Set_DToC_Style", HostValue::numeric(3, 0));
        host.set_array("aT", {HostValue::character("orders"), HostValue::character("dbo.orders")});
        host.set_array("rT", {HostValue::character("t"), HostValue::character("real_t")});
    }
};

std::vector<std::string_view> parts_of(std::string_view data) {
    std::vector<std::string_view> parts;
    for (;;) {
        std::size_t cut = data.find(tarnvel::fuzz::separator);
        parts.push_back(data.substr(0, cut));
        if (cut == std::string_view::npos) return parts;
        data.remove_prefix(cut + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size) {
    static Fixture fixture;
    if (size < 3 || fixture.functions.empty()) return 0;
    const tarnvel::fuzz::Function &function = fixture.functions[bytes[0] % fixture.functions.size()];
    const unsigned switches = bytes[1];
    std::vector<std::string_view> parts = parts_of(std::string_view(reinterpret_cast<const char *>(bytes + 3), size - 3));

    std::vector<tarnvel::Arg> args;
    for (std::size_t i = 0; i < function.params.size(); ++i) {
        if (i >= parts.size()) {
            if (!function.params[i].second) args.emplace_back(std::string());  // required: empty
            else break;
            continue;
        }
        std::string_view part = parts[i];
        switch (function.params[i].first) {
            case 'C': args.emplace_back(std::string(part)); break;
            case 'N': args.emplace_back(part.empty() ? 0.0 : static_cast<double>(static_cast<unsigned char>(part[0])) - 64); break;
            default: args.emplace_back(!part.empty() && (static_cast<unsigned char>(part[0]) & 1) != 0); break;
        }
    }

    tarnvel::Host &host = fixture.host;
    try {
        host.call("ZQV_SETFROMFOX", {(switches & 1) != 0});
    } catch (const tarnvel::Error &) {
        std::abort();
    }
    if (switches & 2) host.set_budget(static_cast<std::size_t>(bytes[2]) * 64, bytes[2] / 8);
    try {
        host.call(function.name, args);
    } catch (const tarnvel::Error &) {
        // Bad input or a refused allocation: reported, as it must be.
    }
    host.set_budget(std::nullopt);
    if (host.handles_in_use() != 0) {
        std::fprintf(stderr, "%s left %zu handles in use\n", function.name.c_str(), host.handles_in_use());
        std::abort();
    }
    return 0;
}
