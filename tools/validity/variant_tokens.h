// A FoxPro SELECT command cut into the pieces the variant rules rewrite: words, blanks, operators,
// and the pieces no rule may touch (string literals, {dates}, &macros, comments). Joining the
// pieces' texts gives the command back unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace validity {

enum class Piece {
    word,     // a name or keyword: letters, digits, _ and bytes of other scripts, not starting with a digit
    number,   // 12, 1.5, 0x1F
    dotted,   // .AND. .OR. .NOT. .T. .F. .NULL. .Y. .N.
    blank,    // blanks and tabs
    literal,  // '...', "...", [...] (a [ right after a name, ) or ] is a subscript, not a literal)
    fixed,    // {^2020-01-01}, &macro, && comment: never rewritten
    op,       // <> != <= >= == -> and every other single character
};

struct Token {
    Piece kind;
    std::string text;
    int depth = 0;  // parentheses around it (a "(" or ")" has the depth outside it)
};

std::vector<Token> tokenize(std::string_view text);
std::string join(const std::vector<Token> &tokens);

// The command as FoxPro reads it from a program: a ; that ends a line joins the next line to it.
// Text inserted or pieces moved after such a ; would otherwise leave it before no line break.
std::string joined_lines(std::string_view command);

// Upper-case copy of an ASCII word.
std::string upper(std::string_view text);

}  // namespace validity
