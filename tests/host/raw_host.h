// A bare host at the level of the wire structures, for tests of the entry layer itself: it owns a
// handle table and a pointer table, records what the library asks of it, and sends requests to
// DispatchAPI directly.
#pragma once

#include <tarnvel/wire.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace rawhost {

struct Requests {
    std::vector<tv_word> codes;
    std::vector<int> errors;
    std::vector<std::string> user_errors;
    Value returned{};
    bool has_returned = false;
    tv_word window = 0;  // the window on top; its number is ten times its handle
    std::function<void(CallbackBlock *)> extra;  // answers further codes
};

inline thread_local Requests *current = nullptr;

inline void TV_FASTCALL callback(CallbackBlock *block) {
    Requests &r = *current;
    r.codes.push_back(block->code);
    switch (block->code) {
    case TV_HOST_RET_VAL:
        std::memcpy(&r.returned, reinterpret_cast<const void *>(block->arg0), sizeof(Value));
        r.has_returned = true;
        break;
    case TV_HOST_ERROR: r.errors.push_back(static_cast<int>(block->arg0)); break;
    case TV_HOST_USER_ERROR: r.user_errors.emplace_back(reinterpret_cast<const char *>(block->arg0)); break;
    default:
        if (r.extra) {
            r.extra(block);
        } else if (block->code == TV_HOST_TOP_WINDOW) {
            block->arg0 = r.window;
        } else if (block->code == TV_HOST_WINDOW_NUMBER) {
            block->arg0 = block->arg0 * 10;
        }
        break;
    }
}

// Values as the host hands them over.
inline Value numeric(double number) {
    Value v{};
    v.type = 'N';
    v.real = number;
    return v;
}

inline Value logical(bool truth) {
    Value v{};
    v.type = 'L';
    v.length = truth ? 1 : 0;
    return v;
}

class Host {
public:
    explicit Host(std::uint16_t handle_capacity = 200, std::uint16_t pointer_capacity = 20)
        : handles_(TV_HANDLE_TABLE_BYTES(handle_capacity)), pointers_(TV_POINTER_TABLE_BYTES(pointer_capacity)) {
        write16(handles_.data(), 1);  // slot 0 is never handed out
        write16(handles_.data() + 2, handle_capacity);
        write16(pointers_.data(), 1);
        write16(pointers_.data() + 4, pointer_capacity);
        init();
    }
    ~Host() { current = nullptr; }

    Requests requests;

    // Sends one request; answers arg0 (and arg1 through the block).
    tv_word send(tv_word code, tv_word arg0 = 0, tv_word arg1 = 0, tv_word function = 0, RequestBlock **out = nullptr) {
        current = &requests;
        std::memset(block_.data(), 0, block_.size());
        auto *r = reinterpret_cast<RequestBlock *>(block_.data());
        r->code = code;
        r->arg0 = arg0;
        r->arg1 = arg1;
        r->function = function;
        DispatchAPI(r);
        if (out) *out = r;
        return r->arg0;
    }
    const FoxTable *init() {
        current = &requests;
        std::memset(block_.data(), 0, block_.size());
        auto *r = reinterpret_cast<RequestBlock *>(block_.data());
        r->code = TV_REQ_INIT;
        r->arg0 = reinterpret_cast<tv_word>(handles_.data());
        r->arg1 = reinterpret_cast<tv_word>(pointers_.data());
        r->function = reinterpret_cast<tv_word>(&callback);
        DispatchAPI(r);
        version_ = r->arg1;
        return reinterpret_cast<const FoxTable *>(r->arg0);
    }
    tv_word version() const { return version_; }

    MHANDLE alloc(std::size_t size, tv_word tag = 1) { return static_cast<MHANDLE>(send(TV_REQ_ALLOC, size, tag)); }
    void free(MHANDLE h) { send(TV_REQ_FREE, h); }
    char *address(MHANDLE h) { return reinterpret_cast<char *>(send(TV_REQ_ADDRESS, h)); }

    // Calls a library function of the table with character, numeric or logical arguments.
    struct Arg {
        char type;
        std::string text;
        double number = 0;
        bool truth = false;
        std::uint32_t claimed_length = 0;  // a character value's length when it claims more than its bytes
    };
    void call(const FoxInfo &info, const std::vector<Arg> &args) {
        Requests kept = std::move(requests);
        requests = Requests{};
        requests.extra = std::move(kept.extra);
        requests.window = kept.window;
        std::vector<MHANDLE> owned(args.size(), 0);
        for (std::size_t i = 0; i < args.size(); ++i) {  // before the block is filled: send() clears it
            if (args[i].type != 'C') continue;
            owned[i] = alloc(args[i].text.size() + 1);
            std::memcpy(address(owned[i]), args[i].text.data(), args[i].text.size());
        }
        auto *r = reinterpret_cast<RequestBlock *>(block_.data());
        std::memset(block_.data(), 0, block_.size());
        ParamBlk *params = TV_REQUEST_PARAMS(r);
        params->count = static_cast<int16_t>(args.size());
        for (std::size_t i = 0; i < args.size(); ++i) {
            Value v{};
            v.type = args[i].type;
            if (args[i].type == 'C') {
                v.handle = owned[i];
                v.length = args[i].claimed_length ? args[i].claimed_length : static_cast<uint32_t>(args[i].text.size());
            } else if (args[i].type == 'N') {
                v.real = args[i].number;
            } else {
                v.length = args[i].truth ? 1 : 0;
            }
            auto *slot = reinterpret_cast<unsigned char *>(params) + 2 + sizeof(Parameter) * i;
            std::memcpy(slot, &v, sizeof v);
        }
        current = &requests;
        r->code = TV_REQ_CALL;
        r->function = reinterpret_cast<tv_word>(info.function);
        DispatchAPI(r);
        for (MHANDLE h : owned) if (h) free(h);
    }
    // The returned character value's text; releases its handle.
    std::string take_text() {
        std::string text(address(requests.returned.handle), requests.returned.length);
        free(requests.returned.handle);
        return text;
    }

    std::size_t handles_in_use() const {
        std::size_t used = 0;
        std::uint16_t capacity = read16(handles_.data() + 2);
        for (std::size_t i = 0; i < capacity; ++i) {
            tv_word slot;
            std::memcpy(&slot, handles_.data() + TV_HANDLE_TABLE_HEADER + i * sizeof(tv_word), sizeof slot);
            if (slot) ++used;
        }
        return used;
    }
    std::uint16_t handle_next_free() const { return read16(handles_.data()); }
    std::uint16_t pointers_used() const { return read16(pointers_.data() + 2); }

    static std::uint16_t read16(const unsigned char *at) {
        std::uint16_t v;
        std::memcpy(&v, at, 2);
        return v;
    }
    static void write16(unsigned char *at, std::uint16_t v) { std::memcpy(at, &v, 2); }

    unsigned char *handle_table() { return handles_.data(); }
    unsigned char *pointer_table() { return pointers_.data(); }

private:
    std::vector<unsigned char> handles_;
    std::vector<unsigned char> pointers_;
    std::vector<unsigned char> block_ = std::vector<unsigned char>(sizeof(RequestBlock) + 2 + 8 * sizeof(Parameter));
    tv_word version_ = 0;
};

inline const FoxInfo *find(const FoxTable *table, const std::string &name) {
    for (int i = 0; i < table->count; ++i) {
        const char *entry = table->infos[i].name;  // packed: copy the field first
        if (name == entry) return &table->infos[i];
    }
    return nullptr;
}

// Runs 'body' inside a library call on 'host', so that it may use the library's host services;
// true when it ran to its end, false when an error ended the call.
inline thread_local std::function<void()> call_body;
inline void TV_FASTCALL run_call_body(ParamBlk *) { call_body(); }
inline bool inside_call(Host &host, const std::function<void()> &body) {
    bool returned = false;
    call_body = [&] {
        body();
        returned = true;
    };
    FoxInfo info{"TEST_BODY", &run_call_body, 0, ""};
    host.call(info, {});
    call_body = nullptr;
    return returned;
}

}  // namespace rawhost
