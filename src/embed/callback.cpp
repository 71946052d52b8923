// The host callback: answers every request the library sends while one of its functions runs.
// The callback is a plain function; it finds the host it answers for through a thread-local
// pointer that Host::call sets for the length of the call, so hosts on different threads never
// see each other's requests.
//
// Windows: the window on top is whatever Host::set_window said (0: none); its window number
// (request 112) is the window handle itself, truncated to 32 bits.
#include "embed/host_impl.hpp"

#include "embed/errors.hpp"
#include "embed/evaluator.hpp"

#include <cmath>
#include <cstring>
#include <new>

namespace tarnvel {
namespace {

thread_local Host::Impl *current_host = nullptr;

void TV_FASTCALL host_callback(CallbackBlock *block) {
    if (current_host != nullptr && block != nullptr) block->arg0 = current_host->answer(*block);
}

tv_word signed_word(std::intptr_t value) { return static_cast<tv_word>(value); }

// The display width FoxPro would give a number.
std::int16_t width_of(double value, int decimals) {
    double digits = value == 0 ? 1 : std::floor(std::log10(std::fabs(value))) + 1;
    if (!std::isfinite(digits) || digits < 1) digits = 1;
    double width = digits + (value < 0 ? 1 : 0) + (decimals > 0 ? decimals + 1 : 0);
    return static_cast<std::int16_t>(width > 20 ? 20 : width);
}

// A host value in its wire form; a text gets a new handle, which becomes the library's.
Value to_wire(Host::Impl &host, const HostValue &v) {
    Value out{};
    out.type = v.type;
    switch (v.type) {
    case 'C': case 'G': case 'Q': case 'V': case 'W': {
        out.length = static_cast<std::uint32_t>(v.text.size());
        out.handle = host.store(v.text);
        if (out.handle == 0) throw embed::HostError{embed::insufficient_memory, embed::error_message(embed::insufficient_memory)};
        break;
    }
    case 'N':
        out.real = v.number;
        out.length = static_cast<std::uint32_t>(v.decimals);
        out.width = width_of(v.number, v.decimals);
        break;
    case 'I':
        out.integer = v.integer;
        out.width = 11;
        break;
    case 'L': out.length = v.logical ? 1 : 0; break;
    case 'D': case 'T': out.real = v.number; break;
    case 'Y': out.currency = v.currency; break;
    default: out.type = '0'; break;
    }
    return out;
}

Value null_value() {
    Value out{};
    out.type = '0';
    return out;
}

const HostValue &element_at(const embed::Variable &variable, const Locator &locator) {
    std::int16_t subscripts = locator.subscripts;
    if (subscripts <= 0) return variable.elements.front();
    if (!variable.array) throw embed::HostError{embed::not_an_array, embed::error_message(embed::not_an_array)};
    std::int16_t n = locator.subscript1;
    if (subscripts > 1 || n < 1 || static_cast<std::size_t>(n) > variable.elements.size())
        throw embed::HostError{embed::invalid_subscript, embed::error_message(embed::invalid_subscript)};
    return variable.elements[static_cast<std::size_t>(n) - 1];
}

const char *text_argument(tv_word word) { return reinterpret_cast<const char *>(word); }

// --- one answer for each request

tv_word returned_value(Host::Impl &host, CallbackBlock &block) {
    if (block.arg0 == 0) return 0;
    if (host.returned && (host.result.type == 'H' || host.result.type == 'C')) host.release(host.result.handle);  // a second return
    std::memcpy(&host.result, reinterpret_cast<const void *>(block.arg0), sizeof host.result);
    host.returned = true;
    return 0;
}

tv_word raised_error(Host::Impl &host, CallbackBlock &block) {
    int number = static_cast<int>(static_cast<std::int32_t>(block.arg0));
    host.record(Error(number, embed::error_message(number)));
    return 0;
}

tv_word raised_user_error(Host::Impl &host, CallbackBlock &block) {
    const char *message = text_argument(block.arg0);
    host.record(Error(std::nullopt, message ? message : ""));
    return 0;
}

tv_word name_index(Host::Impl &host, CallbackBlock &block) {
    const char *name = text_argument(block.arg0);
    return signed_word(name ? host.variables.index_of(name) : -1);
}

tv_word found_variable(Host::Impl &host, CallbackBlock &block) {
    int index = static_cast<std::int32_t>(block.arg0);
    auto *locator = reinterpret_cast<Locator *>(block.arg2);
    if (locator == nullptr || host.variables.at(index) == nullptr) return 0;
    std::memset(locator, 0, sizeof *locator);
    locator->kind = 1;
    locator->where = -1;
    locator->name_index = static_cast<std::int16_t>(index);
    return 1;
}

tv_word loaded_variable(Host::Impl &host, CallbackBlock &block) {
    auto *locator = reinterpret_cast<const Locator *>(block.arg0);
    auto *value_out = reinterpret_cast<Value *>(block.arg1);
    if (value_out == nullptr) return 0;
    *value_out = null_value();
    const embed::Variable *variable = locator ? host.variables.at(locator->name_index) : nullptr;
    if (variable == nullptr) throw embed::HostError{embed::variable_not_found, embed::error_message(embed::variable_not_found)};
    *value_out = to_wire(host, element_at(*variable, *locator));
    return 0;
}

tv_word evaluated(Host::Impl &host, CallbackBlock &block) {
    auto *value_out = reinterpret_cast<Value *>(block.arg0);
    const char *expression = text_argument(block.arg1);
    if (value_out == nullptr) return 0;
    *value_out = null_value();
    *value_out = to_wire(host, embed::evaluate_expression(expression ? expression : "", host.variables, host.session));
    return 0;
}

tv_word executed(Host::Impl &host, CallbackBlock &block) {
    const char *command = text_argument(block.arg0);
    host.actions.push_back({"execute", command ? command : "", 0});
    return 0;
}

tv_word switched(Host::Impl &host, CallbackBlock &block) {
    host.actions.push_back({"switch", std::to_string(static_cast<std::intptr_t>(block.arg0)), 0});
    return 0;
}

tv_word top_window(Host::Impl &host, CallbackBlock &) { return host.window; }

tv_word editor_command(Host::Impl &host, CallbackBlock &block) {
    std::intptr_t command = static_cast<std::intptr_t>(block.arg1);
    std::string name = command == 0 ? "copy" : command == 2 ? "paste" : "command " + std::to_string(command);
    host.actions.push_back({"editor", std::move(name), block.arg0});
    return 0;
}

tv_word window_number(Host::Impl &, CallbackBlock &block) {
    return static_cast<tv_word>(static_cast<std::uint32_t>(block.arg0));
}

struct Request {
    tv_word code;
    tv_word (*answer)(Host::Impl &host, CallbackBlock &block);
};

// Any other request is answered 0.
constexpr Request requests[] = {
    {TV_HOST_RET_VAL, returned_value},
    {TV_HOST_ERROR, raised_error},
    {TV_HOST_USER_ERROR, raised_user_error},
    {TV_HOST_NAME_TABLE_INDEX, name_index},
    {TV_HOST_FIND_VAR, found_variable},
    {TV_HOST_LOAD, loaded_variable},
    {TV_HOST_EVALUATE, evaluated},
    {TV_HOST_EXECUTE, executed},
    {TV_HOST_SWITCH, switched},
    {TV_HOST_TOP_WINDOW, top_window},
    {TV_HOST_EDITOR_COMMAND, editor_command},
    {TV_HOST_WINDOW_NUMBER, window_number},
};

}  // namespace

namespace embed {
tv_word callback_address() { return reinterpret_cast<tv_word>(&host_callback); }
CurrentHost::CurrentHost(Host::Impl *host) : previous_(current_host) { current_host = host; }
CurrentHost::~CurrentHost() { current_host = previous_; }
}  // namespace embed

void Host::Impl::record(Error e) {
    if (!error) error = std::move(e);
}

tv_word Host::Impl::answer(CallbackBlock &block) {
    // A request that fails records the error and puts its number into the block's status, which
    // ends the library call (load, evaluate, execute); a name lookup or find that fails also answers
    // "unknown".
    auto failed = [&](int number) -> tv_word {
        block.status = static_cast<tv_word>(number != 0 ? number : 1);
        if (block.code == TV_HOST_NAME_TABLE_INDEX) return signed_word(-1);
        return 0;
    };
    try {
        for (const Request &request : requests) {
            if (request.code == block.code) return request.answer(*this, block);
        }
        return 0;
    } catch (const embed::HostError &e) {
        record(Error(e.number, e.message));
        return failed(e.number);
    } catch (const std::bad_alloc &) {
        record(Error(embed::insufficient_memory, embed::error_message(embed::insufficient_memory)));
        return failed(embed::insufficient_memory);
    } catch (const std::exception &e) {
        record(Error(std::nullopt, e.what()));
        return failed(embed::not_implemented);
    }
}

}  // namespace tarnvel
