#include "variant_tokens.h"

#include <algorithm>
#include <array>

namespace validity {
namespace {

bool letter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || c == '_' || u >= 0x80;
}
bool digit(char c) { return c >= '0' && c <= '9'; }
bool word_char(char c) { return letter(c) || digit(c); }

// The words FoxPro writes between dots as operators and constants.
constexpr std::array<std::string_view, 8> dotted_words = {"AND", "OR", "NOT", "T", "F", "NULL", "Y", "N"};

}  // namespace

std::string upper(std::string_view text) {
    std::string out(text);
    for (char &c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::vector<Token> tokenize(std::string_view s) {
    std::vector<Token> out;
    int depth = 0;
    std::size_t i = 0;
    auto push = [&](Piece kind, std::size_t end) {
        out.push_back({kind, std::string(s.substr(i, end - i)), depth});
        i = end;
    };
    while (i < s.size()) {
        const char c = s[i];
        const char previous = i > 0 ? s[i - 1] : ' ';
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            std::size_t end = i;
            while (end < s.size() && (s[end] == ' ' || s[end] == '\t' || s[end] == '\r' || s[end] == '\n')) ++end;
            push(Piece::blank, end);
        } else if (c == '\'' || c == '"' || (c == '[' && !word_char(previous) && previous != ')' && previous != ']')) {
            const char close = c == '[' ? ']' : c;
            const std::size_t end = s.find(close, i + 1);
            push(Piece::literal, end == std::string_view::npos ? s.size() : end + 1);
        } else if (c == '{') {
            const std::size_t end = s.find('}', i + 1);
            push(Piece::fixed, end == std::string_view::npos ? s.size() : end + 1);
        } else if (c == '&' && i + 1 < s.size() && s[i + 1] == '&') {
            push(Piece::fixed, s.size());
        } else if (c == '&') {  // a macro: &name, ending at a dot that belongs to it
            std::size_t end = i + 1;
            while (end < s.size() && word_char(s[end])) ++end;
            if (end < s.size() && s[end] == '.') ++end;
            push(Piece::fixed, end);
        } else if (letter(c)) {
            std::size_t end = i;
            while (end < s.size() && word_char(s[end])) ++end;
            push(Piece::word, end);
        } else if (digit(c)) {
            std::size_t end = i;
            while (end < s.size() && (word_char(s[end]) || (s[end] == '.' && end + 1 < s.size() && digit(s[end + 1]))))
                ++end;
            push(Piece::number, end);
        } else if (c == '.' && !word_char(previous) && previous != ']' && previous != ')') {
            std::size_t end = i + 1;
            while (end < s.size() && letter(s[end])) ++end;
            const std::string inner = upper(s.substr(i + 1, end - i - 1));
            if (end < s.size() && s[end] == '.' &&
                std::find(dotted_words.begin(), dotted_words.end(), inner) != dotted_words.end()) {
                push(Piece::dotted, end + 1);
            } else {
                push(Piece::op, i + 1);
            }
        } else {
            static constexpr std::array<std::string_view, 6> pairs = {"<>", "!=", "<=", ">=", "==", "->"};
            const std::string_view two = s.substr(i, 2);
            const bool pair = std::find(pairs.begin(), pairs.end(), two) != pairs.end();
            if (c == ')') --depth;
            push(Piece::op, i + (pair ? 2 : 1));
            if (c == '(') ++depth;
        }
    }
    return out;
}

std::string join(const std::vector<Token> &tokens) {
    std::string out;
    for (const Token &t : tokens) out += t.text;
    return out;
}

std::string joined_lines(std::string_view command) {
    std::vector<Token> t = tokenize(command);
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != Piece::op || t[i].text != ";") continue;
        const bool line_ends = i + 1 < t.size() && t[i + 1].kind == Piece::blank &&
                               t[i + 1].text.find_first_of("\r\n") != std::string::npos;
        if (line_ends) t[i] = Token{Piece::blank, " ", t[i].depth};
    }
    return join(t);
}

}  // namespace validity
