// The facade: one call of a library function through DispatchAPI, as FoxPro makes it.
//
// A call: request 0 on the calling thread (callback and tables), the FoxInfo found by name in the
// table of request 14 (once for each name: the host keeps what it found), FoxPro's own argument
// checks against its type string, a handle for each character argument (request 2, written
// through request 6), the ParamBlk after a RequestBlock, request 1. Afterwards the argument handles are released, a returned string is read and its
// handle released, and an error the library (or the host, answering it) raised is thrown.
//
// The byte budget is sent (request 9100) right before request 1 and lifted right after, so each
// call starts with the whole budget: the count of obtains covers the library's own obtains (and
// the host's nested ones while answering), never the host's argument handles; the byte limit is
// on everything the thread's handles hold at once, the arguments already there included.
#include "embed/host_impl.hpp"

#include "embed/errors.hpp"
#include "embed/evaluator.hpp"

#include <charconv>
#include <cstring>

namespace tarnvel {
namespace {

constexpr tv_word no_limit = static_cast<tv_word>(-1);
constexpr tv_word argument_tag = 1;

bool same_name(std::string_view a, const char *b) {
    std::size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

const FoxInfo *find_function(const FoxTable *table, std::string_view name) {
    for (std::int16_t i = 0; table && i < table->count; ++i)
        if (table->infos[i].name && same_name(name, table->infos[i].name)) return &table->infos[i];
    throw Error(std::nullopt, "'" + std::string(name) + "' is not a function of the library");
}

// The parameters of a type string: type letter, and whether the parameter is optional.
std::vector<std::pair<char, bool>> parameters_of(const FoxInfo &info) {
    std::vector<std::pair<char, bool>> params;
    std::string_view types = info.parameter_types ? info.parameter_types : "";
    for (std::size_t pos = 0; pos < types.size();) {
        std::size_t comma = types.find(',', pos);
        std::string_view one = types.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos);
        bool optional = !one.empty() && one.front() == '.';
        if (optional) one.remove_prefix(1);
        if (!one.empty()) params.emplace_back(one.front(), optional);
        if (comma == std::string_view::npos) break;
        pos = comma + 1;
    }
    return params;
}

// FoxPro checks the arguments against the type string before it calls.
void check_arguments(const std::vector<std::pair<char, bool>> &params, const std::vector<Arg> &args) {
    auto fail = [](int number) { throw Error(number, embed::error_message(number)); };
    if (args.size() > params.size()) fail(embed::too_many_arguments);
    for (std::size_t i = args.size(); i < params.size(); ++i)
        if (!params[i].second) fail(embed::too_few_arguments);
    for (std::size_t i = 0; i < args.size(); ++i) {
        char want = params[i].first;
        bool ok = (want == 'C' && std::holds_alternative<std::string>(args[i])) ||
                  (want == 'N' && std::holds_alternative<double>(args[i])) ||
                  (want == 'L' && std::holds_alternative<bool>(args[i])) || (want != 'C' && want != 'N' && want != 'L');
        if (!ok) fail(embed::invalid_argument);
    }
}

// Decimals and display width of a numeric argument, from its shortest written form.
void numeric_form(double value, std::uint32_t &decimals, std::int16_t &width) {
    char text[512];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    std::string_view written(text, ec == std::errc() ? static_cast<std::size_t>(end - text) : 0);
    std::size_t point = written.find('.');
    decimals = point == std::string_view::npos ? 0 : static_cast<std::uint32_t>(written.size() - point - 1);
    width = static_cast<std::int16_t>(written.size() > 20 ? 20 : written.size());
}

// Sends the budget for the length of one request 1.
class BudgetScope {
public:
    explicit BudgetScope(Host::Impl &host) : host_(host), active_(host.budget_bytes || host.budget_operations) {
        if (active_)
            host_.request(TV_REQ_SET_BUDGET, host.budget_bytes ? static_cast<tv_word>(*host.budget_bytes) : no_limit,
                          host.budget_operations ? static_cast<tv_word>(*host.budget_operations) : no_limit);
    }
    ~BudgetScope() {
        if (active_) host_.request(TV_REQ_SET_BUDGET, no_limit, no_limit);
    }
    BudgetScope(const BudgetScope &) = delete;
    BudgetScope &operator=(const BudgetScope &) = delete;

private:
    Host::Impl &host_;
    bool active_;
};

// The host's own handles of one call, released on every path.
class OwnedHandles {
public:
    explicit OwnedHandles(Host::Impl &host) : host_(host) {}
    ~OwnedHandles() {
        for (std::size_t i = 0; i < count_ && i < inline_count; ++i) host_.release(first_[i]);
        for (MHANDLE h : more_) host_.release(h);
    }
    OwnedHandles(const OwnedHandles &) = delete;
    OwnedHandles &operator=(const OwnedHandles &) = delete;
    void add(MHANDLE h) {
        if (count_ < inline_count) first_[count_] = h;
        else more_.push_back(h);
        ++count_;
    }

private:
    static constexpr std::size_t inline_count = 8;  // most calls pass fewer character arguments
    Host::Impl &host_;
    MHANDLE first_[inline_count] = {};
    std::size_t count_ = 0;
    std::vector<MHANDLE> more_;
};

}  // namespace

// --- requests to the library ---

tv_word Host::Impl::request(tv_word code, tv_word arg0, tv_word arg1, tv_word function, tv_word *second) {
    RequestBlock block{};
    block.code = code;
    block.arg0 = arg0;
    block.arg1 = arg1;
    block.function = function;
    library.dispatch()(&block);
    if (second) *second = block.arg1;
    return block.arg0;
}

const FoxTable *Host::Impl::initialise() {
    tv_word version = 0;
    tv_word table = request(TV_REQ_INIT, reinterpret_cast<tv_word>(handles.data()),
                            reinterpret_cast<tv_word>(pointers.data()), embed::callback_address(), &version);
    if (version != TV_LIBRARY_VERSION || table == 0)
        throw Error(std::nullopt, "the library did not answer the initialisation (version " + std::to_string(version) + ")");
    return reinterpret_cast<const FoxTable *>(table);
}

const FoxTable *Host::Impl::table() {
    tv_word version = 0;
    tv_word table = request(TV_REQ_TABLE, 0, 0, 0, &version);
    if (version != TV_LIBRARY_VERSION || table == 0)
        throw Error(std::nullopt, "the library did not hand over its function table");
    return reinterpret_cast<const FoxTable *>(table);
}

MHANDLE Host::Impl::obtain(std::size_t size) {
    return static_cast<MHANDLE>(request(TV_REQ_ALLOC, static_cast<tv_word>(size), argument_tag));
}

void Host::Impl::release(MHANDLE handle) {
    if (handle != 0) request(TV_REQ_FREE, handle);
}

char *Host::Impl::address(MHANDLE handle) { return reinterpret_cast<char *>(request(TV_REQ_ADDRESS, handle)); }

MHANDLE Host::Impl::store(std::string_view bytes) {
    MHANDLE handle = obtain(bytes.empty() ? 1 : bytes.size());
    if (handle == 0) return 0;
    char *at = address(handle);
    if (at == nullptr) {
        release(handle);
        return 0;
    }
    if (!bytes.empty()) std::memcpy(at, bytes.data(), bytes.size());
    return handle;
}

std::string Host::Impl::fetch(MHANDLE handle, std::size_t length) {
    if (length == 0) return {};
    const char *at = handle != 0 && handle < handles.capacity() && handles.slot(handle) != 0 ? address(handle) : nullptr;
    if (at == nullptr) {
        record(Error(std::nullopt, "the library returned a string in handle " + std::to_string(handle) + ", which holds nothing"));
        return {};
    }
    return std::string(at, length);
}

Result Host::Impl::take_result() {
    if (!returned) return std::monostate{};
    returned = false;
    switch (result.type) {
    case 'H':
    case 'C': {
        std::string bytes = fetch(result.handle, result.length);
        release(result.handle);
        return bytes;
    }
    case 'I': return static_cast<double>(result.integer);
    case 'N': {
        double real = result.real;  // a copy: the packed field is not aligned for a reference
        return real;
    }
    case 'L': return result.length != 0;
    default:
        record(Error(std::nullopt, std::string("the library returned a value of type '") + result.type + "'"));
        return std::monostate{};
    }
}

Result Host::Impl::invoke(FoxFunction function, const std::vector<Arg> &args) {
    if (args.size() > static_cast<std::size_t>(INT16_MAX)) throw Error(embed::too_many_arguments, embed::error_message(embed::too_many_arguments));
    returned = false;
    error.reset();
    OwnedHandles owned(*this);

    // The request block with its ParamBlk: on the stack for the usual few arguments.
    constexpr std::size_t inline_args = 8;
    alignas(RequestBlock) unsigned char local[sizeof(RequestBlock) + offsetof(ParamBlk, params) + inline_args * sizeof(Parameter)] = {};
    std::vector<unsigned char> heap;
    unsigned char *block = local;
    if (args.size() > inline_args) {
        heap.assign(sizeof(RequestBlock) + offsetof(ParamBlk, params) + args.size() * sizeof(Parameter), 0);
        block = heap.data();
    }
    auto *request_block = reinterpret_cast<RequestBlock *>(block);
    request_block->code = TV_REQ_CALL;
    request_block->function = reinterpret_cast<tv_word>(function);
    ParamBlk *params = TV_REQUEST_PARAMS(request_block);
    params->count = static_cast<std::int16_t>(args.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
        Value value{};
        if (const auto *text = std::get_if<std::string>(&args[i])) {
            value.type = 'C';
            value.length = static_cast<std::uint32_t>(text->size());
            value.handle = store(*text);
            if (value.handle == 0) throw Error(embed::insufficient_memory, embed::error_message(embed::insufficient_memory));
            owned.add(value.handle);
        } else if (const auto *number = std::get_if<double>(&args[i])) {
            value.type = 'N';
            value.real = *number;
            numeric_form(*number, value.length, value.width);
        } else {
            value.type = 'L';
            value.length = std::get<bool>(args[i]) ? 1 : 0;
        }
        std::memcpy(block + sizeof(RequestBlock) + offsetof(ParamBlk, params) + i * sizeof(Parameter), &value, sizeof value);
    }

    {
        embed::CurrentHost current(this);
        BudgetScope budget(*this);
        library.dispatch()(request_block);
    }
    Result out = take_result();
    if (error) throw *error;
    return out;
}

// --- the facade ---

Host::Host(Library library) : impl_(std::make_unique<Impl>(std::move(library))) {
    if (impl_->library.dispatch() == nullptr) throw Error(std::nullopt, "no library to call");
}

Host::~Host() = default;

const Host::Impl::Known &Host::Impl::lookup(std::string_view name) {
    for (const Known &k : known)
        if (k.name == name) return k;
    const FoxInfo *info = find_function(table(), name);
    known.push_back(Known{std::string(name), info, parameters_of(*info)});
    return known.back();
}

Result Host::call(std::string_view name, const std::vector<Arg> &args) {
    impl_->actions.clear();
    impl_->initialise();
    const Impl::Known &function = impl_->lookup(name);
    check_arguments(function.params, args);
    return impl_->invoke(function.info->function, args);
}

Result Host::call_function(FoxFunction function, const std::vector<Arg> &args) {
    impl_->actions.clear();
    impl_->initialise();
    return impl_->invoke(function, args);
}

std::vector<std::pair<std::string, std::string>> Host::functions() {
    const FoxTable *table = impl_->table();
    std::vector<std::pair<std::string, std::string>> out;
    for (std::int16_t i = 0; i < table->count; ++i) {
        const FoxInfo &info = table->infos[i];
        out.emplace_back(info.name ? info.name : "", info.parameter_types ? info.parameter_types : "");
    }
    return out;
}

void Host::set_variable(const std::string &name, HostValue value) { impl_->variables.set(name, std::move(value)); }
void Host::set_array(const std::string &name, std::vector<HostValue> elements) { impl_->variables.set_array(name, std::move(elements)); }
void Host::remove_variable(const std::string &name) { impl_->variables.remove(name); }
void Host::clear_variables() { impl_->variables.clear(); }

HostValue Host::evaluate(std::string_view expression) {
    try {
        return embed::evaluate_expression(expression, impl_->variables, impl_->session);
    } catch (const embed::HostError &e) {
        throw Error(e.number, e.message);
    }
}

void Host::set_session(int session) { impl_->session = session; }
void Host::set_window(tv_word window) { impl_->window = window; }

void Host::set_budget(std::optional<std::size_t> bytes, std::optional<std::size_t> operations) {
    impl_->budget_bytes = bytes;
    impl_->budget_operations = operations;
}

const std::vector<HostAction> &Host::actions() const { return impl_->actions; }
std::size_t Host::handles_in_use() const { return impl_->handles.used(); }

}  // namespace tarnvel
