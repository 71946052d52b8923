// A bare host with one memory variable, answering the name-table, find and load requests itself; a
// character value is handed over in a handle of the host's table, as the real host does.
#pragma once

#include "host/raw_host.h"

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rawhost {

struct VariableHost {
    Host host;
    std::optional<Value> variable;  // nullopt: the host knows no such name
    bool findable = true;           // false: the name is known, the variable not found
    tv_word load_error = 0;         // the error the host raises while loading (0: none)
    std::vector<std::string> names_asked;
    int loads = 0;

    VariableHost() {
        host.requests.extra = [this](CallbackBlock *block) {
            switch (block->code) {
            case TV_HOST_NAME_TABLE_INDEX:
                names_asked.emplace_back(reinterpret_cast<const char *>(block->arg0));
                block->arg0 = variable ? 7 : static_cast<tv_word>(-1);
                break;
            case TV_HOST_FIND_VAR:
                block->arg0 = findable && block->arg0 == 7 && static_cast<int>(block->arg1) == -1 ? 1 : 0;
                break;
            case TV_HOST_LOAD:
                ++loads;
                if (load_error != 0) {
                    block->status = load_error;
                    break;
                }
                std::memcpy(reinterpret_cast<void *>(block->arg1), &*variable, sizeof(Value));
                break;
            default: break;
            }
        };
    }

    // A character value of 'text' in a new handle of the host's table.
    Value text(char type, const std::string &bytes) {
        Value v{};
        v.type = type;
        v.length = static_cast<std::uint32_t>(bytes.size());
        v.handle = host.alloc(bytes.size() + 1);
        std::memcpy(host.address(v.handle), bytes.data(), bytes.size());
        return v;
    }
};

}  // namespace rawhost
