// Fetching the value of a reference from the host: a plain name is looked up and loaded, anything
// else is evaluated as an expression.
#pragma once

#include "host/text.h"
#include "lex/letters.h"

#include <tarnvel/wire.h>

#include <string_view>

namespace tarnvel::variables {

// A value the host gave. The handle of a character value is the library's to release; the value owns
// it from the moment it arrives.
struct FetchedValue {
    Value value{};
    Buffer text;

    bool is_text() const;
    // The bytes of a character value (never more than its handle holds).
    std::string_view bytes() const;
    // Takes ownership of the handle the host put into 'value', when its type carries one.
    void adopt();
};

// The value of 'reference' (a NUL-terminated reference text). When 'as_name' is set and the text is
// a bare name (letters, digits and "_" only), the variable is loaded, and an unknown name fails with
// "Variable not found: " and the text; otherwise the text is evaluated, after the switch request when
// the host knows the whole text as a name. A failing evaluation raises the host's own error.
FetchedValue fetch_value(const Text &reference, bool as_name, const lex::Alphabet &alphabet);

}  // namespace tarnvel::variables
