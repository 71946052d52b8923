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
        switch (block.code) {
        case TV_HOST_RET_VAL: {
            if (block.arg0 == 0) return 0;
            if (returned && (result.type == 'H' || result.type == 'C')) release(result.handle);  // a second return
            std::memcpy(&result, reinterpret_cast<const void *>(block.arg0), sizeof result);
            returned = true;
            return 0;
        }
        case TV_HOST_ERROR: {
            int number = static_cast<int>(static_cast<std::int32_t>(block.arg0));
            record(Error(number, embed::error_message(number)));
            return 0;
        }
        case TV_HOST_USER_ERROR: {
            const char *message = text_argument(block.arg0);
            record(Error(std::nullopt, message ? message : ""));
            return 0;
        }
        case TV_HOST_NAME_TABLE_INDEX: {
            const char *name = text_argument(block.arg0);
            return signed_word(name ? variables.index_of(name) : -1);
        }
        case TV_HOST_FIND_VAR: {
            int index = static_cast<std::int32_t>(block.arg0);
            auto *locator = reinterpret_cast<Locator *>(block.arg2);
            if (locator == nullptr || variables.at(index) == nullptr) return 0;
            std::memset(locator, 0, sizeof *locator);
            locator->kind = 1;
            locator->where = -1;
            locator->name_index = static_cast<std::int16_t>(index);
            return 1;
        }
        case TV_HOST_LOAD: {
            auto *locator = reinterpret_cast<const Locator *>(block.arg0);
            auto *value_out = reinterpret_cast<Value *>(block.arg1);
            if (value_out == nullptr) return 0;
            *value_out = null_value();
            const embed::Variable *variable = locator ? variables.at(locator->name_index) : nullptr;
            if (variable == nullptr) throw embed::HostError{embed::variable_not_found, embed::error_message(embed::variable_not_found)};
            *value_out = to_wire(*this, element_at(*variable, *locator));
            return 0;
        }
        case TV_HOST_EVALUATE: {
            auto *value_out = reinterpret_cast<Value *>(block.arg0);
            const char *expression = text_argument(block.arg1);
            if (value_out == nullptr) return 0;
            *value_out = null_value();
            *value_out = to_wire(*this, embed::evaluate_expression(expression ? expression : "", variables, session));
            return 0;
        }
        case TV_HOST_EXECUTE: {
            const char *command = text_argument(block.arg0);
            actions.push_back({"execute", command ? command : "", 0});
            return 0;
        }
        case TV_HOST_SWITCH:
            actions.push_back({"switch", std::to_string(static_cast<std::intptr_t>(block.arg0)), 0});
            return 0;
        case TV_HOST_TOP_WINDOW: return window;
        case TV_HOST_EDITOR_COMMAND: {
            std::intptr_t command = static_cast<std::intptr_t>(block.arg1);
            std::string name = command == 0 ? "copy" : command == 2 ? "paste" : "command " + std::to_string(command);
            actions.push_back({"editor", std::move(name), block.arg0});
            return 0;
        }
        case TV_HOST_WINDOW_NUMBER: return static_cast<tv_word>(static_cast<std::uint32_t>(block.arg0));
        default: return 0;
        }
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
