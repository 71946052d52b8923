// Fuzz target: every library function that takes arguments, called through DispatchAPI and the
// substitute host with arguments cut from the fuzzer's bytes. Whatever the input, a call returns a
// result or a tarnvel::Error, the sanitizers stay quiet, the handle table holds nothing afterwards,
// and the properties of properties.h hold: a SELECT conversion under FoxPro syntax loses nothing,
// the answer is the same after the previous input's call and on another thread, and (when the
// input asks for it) every failing obtain or growth ends the call rightly.
//
// The input layout is in input.h.
#include "input.h"
#include "properties.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

void set_variables(tarnvel::Host &host) {
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

struct Fixture {
    tarnvel::Host host;
    std::vector<tarnvel::fuzz::Function> functions = tarnvel::fuzz::functions(host);
    tarnvel::fuzz::OtherThread other{set_variables};
    std::string previous_function = "ZQ_SQL_SELECT_CONVERT";
    std::vector<tarnvel::Arg> previous_args{std::string("SELECT a FROM t WHERE b IN (SELECT c FROM u) GROUP BY 1")};

    Fixture() { set_variables(host); }
};

[[noreturn]] void fail(const std::string &function, const std::string &what) {
    std::fprintf(stderr, "%s: %s\n", function.c_str(), what.c_str());
    std::abort();
}

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
    const bool from_fox = (switches & 1) != 0;
    if (tarnvel::fuzz::outcome(host, "ZQV_SETFROMFOX", {from_fox}) != "none") fail("ZQV_SETFROMFOX", "refused");
    const std::string answer = tarnvel::fuzz::settled_outcome(host, function.name, args);
    if (host.handles_in_use() != 0) fail(function.name, std::to_string(host.handles_in_use()) + " handles left in use");

    const tarnvel::fuzz::Target *target = tarnvel::fuzz::target_of(function.name);
    if (target && from_fox && answer.starts_with("text:")) {
        std::string lost = tarnvel::fuzz::lost(*target, std::get<std::string>(args[0]), std::string_view(answer).substr(5));
        if (!lost.empty()) fail(function.name, lost + "\n  answer: " + answer);
    }
    std::string wrong = tarnvel::fuzz::deterministic(host, fixture.other, function.name, args, answer, [&](tarnvel::Host &h) {
        tarnvel::fuzz::outcome(h, fixture.previous_function, fixture.previous_args);
    });
    if (!wrong.empty()) fail(function.name, wrong);
    if (switches & 2) {
        wrong = tarnvel::fuzz::within_budgets(host, function.name, args, answer);
        if (!wrong.empty()) fail(function.name, wrong);
    }
    fixture.previous_function = function.name;
    fixture.previous_args = args;
    return 0;
}
