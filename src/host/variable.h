// Reading a memory variable of the host by name: how the library reads a setting the application
// keeps in a variable of its own.
#pragma once

#include "host/buffer.h"

#include <tarnvel/wire.h>

#include <optional>

namespace tarnvel::host {

// Types whose value keeps its bytes in a memory handle that becomes the library's: character and
// binary data.
bool carries_text(char type);

// A variable read once: the name is looked up, the variable found and its value loaded when it is
// made; the handle of a character value is released when it goes.
class Variable {
public:
    // A name the host does not know, or a variable it does not find, is absent. An error the host
    // raises while loading unwinds the call.
    explicit Variable(const char *name);

    bool found() const { return found_; }
    const Value &value() const { return value_; }
    // The number a numeric variable holds; nullopt when absent or of another type.
    std::optional<double> number() const;
    // The value's length field is not 0: a logical that is true, or any non-empty value.
    bool set() const { return found_ && value_.length != 0; }

private:
    Value value_{};
    Buffer text_;  // owns a character value's handle
    bool found_ = false;
};

}  // namespace tarnvel::host
