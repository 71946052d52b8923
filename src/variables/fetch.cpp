#include "variables/fetch.h"

#include "host/variable.h"

#include <string>

namespace tarnvel::variables {
namespace {

bool bare_name(std::string_view text, const lex::Alphabet &alphabet) {
    for (char c : text) {
        if (!(alphabet.letter(c) || (c >= '0' && c <= '9') || c == '_')) return false;
    }
    return true;
}

[[noreturn]] void not_found(std::string_view reference) {
    std::string message = "Variable not found: ";
    message += reference;
    host::user_error(message);
}

}  // namespace

bool FetchedValue::is_text() const { return host::carries_text(value.type); }

std::string_view FetchedValue::bytes() const {
    if (!text) return {};
    std::size_t length = value.length;
    std::size_t size = text.size();
    return {text.data(), length < size ? length : size};
}

void FetchedValue::adopt() {
    if (is_text()) text = Buffer::adopt_handle(value.handle);
}

FetchedValue fetch_value(const Text &reference, bool as_name, const lex::Alphabet &alphabet) {
    FetchedValue fetched;
    std::string_view text = reference.view();
    if (as_name && bare_name(text, alphabet)) {
        int index = text.empty() ? -1 : host::name_table_index(reference.c_str());
        Locator locator{};
        if (index == -1 || !host::find_var(index, -1, locator)) not_found(text);
        host::load(locator, fetched.value);
    } else {
        if (host::name_table_index(reference.c_str()) != -1) host::switch_request(1);
        host::evaluate(fetched.value, reference.c_str());
    }
    fetched.adopt();
    return fetched;
}

}  // namespace tarnvel::variables
