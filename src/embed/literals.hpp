// Reading FoxPro literals: numbers, currency, strings, logicals, .NULL., dates and datetimes.
// Shared by the expression evaluator and the typed-value syntax of the command line.
#pragma once

#include <tarnvel/host.hpp>

#include <cstddef>
#include <string_view>

namespace tarnvel::embed {

struct Cursor {
    std::string_view text;
    std::size_t pos = 0;

    bool at_end() const { return pos >= text.size(); }
    char peek(std::size_t ahead = 0) const { return pos + ahead < text.size() ? text[pos + ahead] : '\0'; }
    void skip_blanks() {
        while (!at_end() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' || text[pos] == '\n')) ++pos;
    }
};

bool is_digit(char c);

// Reads the literal that starts at the cursor (a sign is not part of it) into 'out' and answers
// true; answers false, the cursor unmoved, when no literal starts there. Throws HostError
// (syntax_error) for a literal that starts but is malformed: an unterminated string, a date
// literal that names no real date or time.
bool read_literal(Cursor &cursor, HostValue &out);

}  // namespace tarnvel::embed
