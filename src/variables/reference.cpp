#include "variables/reference.h"

#include "lex/classes.h"
#include "lex/scan.h"

namespace tarnvel::variables {
namespace {

constexpr std::string_view delimiter = "%|%";

}  // namespace

Reference read_reference(std::string_view rest, const lex::Alphabet &alphabet) {
    const std::size_t n = rest.size();
    std::size_t i = 1;
    while (i < n && lex::is_blank(rest[i])) ++i;
    Reference ref;
    if (i < n && rest[i] == '(') {
        ref.form = Form::parenthesised;
        lex::Pos close = lex::find_close_paren(rest, static_cast<lex::Pos>(i));
        if (close < 0 || static_cast<std::size_t>(close) >= n) {
            ref.text = rest.substr(i + 1);
            ref.span = n;
        } else {
            ref.text = rest.substr(i + 1, static_cast<std::size_t>(close) - i - 1);
            ref.span = static_cast<std::size_t>(close) + 1;
        }
    } else if (rest.substr(i, delimiter.size()) == delimiter) {
        ref.form = Form::delimited;
        std::size_t start = i + delimiter.size();
        std::size_t close = rest.find(delimiter, start);
        if (close == std::string_view::npos) {
            ref.text = rest.substr(start);
            ref.span = n;
        } else {
            ref.text = rest.substr(start, close - start);
            ref.span = close + delimiter.size();
        }
    } else {
        ref.form = Form::name;
        std::size_t end = i;
        while (end < n && (lex::is_word_char(alphabet, rest[end]) || rest[end] == '.')) ++end;
        ref.text = rest.substr(i, end - i);
        ref.span = end;
        if (ref.text.size() >= 2 && (ref.text[0] == 'm' || ref.text[0] == 'M') && ref.text[1] == '.') ref.text.remove_prefix(2);
    }
    return ref;
}

bool followed_by_as_word(std::string_view rest, std::size_t span) {
    const std::size_t n = rest.size();
    std::size_t i = span;
    if (i >= n) return false;
    ++i;
    while (i < n && lex::is_blank(rest[i])) ++i;
    return i + 2 < n && (rest[i] == 'A' || rest[i] == 'a') && (rest[i + 1] == 'S' || rest[i + 1] == 's') &&
           lex::is_blank(rest[i + 2]);
}

}  // namespace tarnvel::variables
