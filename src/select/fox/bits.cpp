// BITAND, BITOR and BITXOR where the dialect has no bit operator (Access): a mask written as a whole
// number is read run of bits by run of bits with whole-number arithmetic.
#include <cstdint>
#include <string>

#include "select/fox/scan.h"

namespace tarnvel::select::fox {
namespace {

// A mask of 31 bits at most, written in decimal digits (1 to 2147483647).
bool written_mask(std::string_view text, std::uint32_t &mask) {
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string_view::npos) return false;
    std::uint64_t value = 0;
    for (const char c : text) value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value == 0 || value > 0x7FFFFFFFu) return false;
    mask = static_cast<std::uint32_t>(value);
    return true;
}

// A mask of more runs than this writes the operand too often: the call stays.
constexpr int most_runs = 4;

// The bits of 'operand' the mask has, as a sum of its runs: bits lo to hi are the operand divided by
// 2^lo and rounded down, less 2^(hi - lo + 1) times the operand divided by 2^(hi + 1) and rounded down,
// times 2^lo. Rounding down (INT) reads a negative operand as 32 bits with a sign hold it.
int write_runs(std::uint32_t mask, std::string_view operand, Text &out) {
    int runs = 0;
    out.push('(');
    for (int lo = 0; lo < 31; ++lo) {
        if ((mask >> lo & 1u) == 0) continue;
        int hi = lo;
        while (hi + 1 < 31 && (mask >> (hi + 1) & 1u) != 0) ++hi;
        const std::uint64_t place = std::uint64_t{1} << lo, width = std::uint64_t{1} << (hi - lo + 1);
        if (runs++ > 0) out.append(" + ");
        if (lo > 0) out.push('(');
        out.append("INT(");
        if (lo > 0) out.push('(');
        out.append(operand);
        if (lo > 0) out.append(") / " + std::to_string(place));
        out.append(") - " + std::to_string(width) + " * INT((");
        out.append(operand);
        out.append(") / " + std::to_string(place * width) + ")");
        if (lo > 0) out.append(") * " + std::to_string(place));
        lo = hi;
    }
    out.push(')');
    return runs;
}

// A name, a number, a parameter or a call: an operand that needs no parentheses beside an operator.
bool one_operand(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (name_char(text[i]) || text[i] == '.' || text[i] == '?' || text[i] == '@')) ++i;
    if (i == text.size()) return i > 0;
    if (i == 0 || text[i] != '(' || text.back() != ')') return false;
    int depth = 0;  // the call's parentheses close at its end only
    for (std::size_t j = i; j < text.size(); ++j) {
        if (text[j] == '\'' || text[j] == '"') return false;
        depth += text[j] == '(' ? 1 : text[j] == ')' ? -1 : 0;
        if (depth == 0 && j + 1 < text.size()) return false;
    }
    return true;
}

}  // namespace

// BITAND(a, b), BITOR(a, b), BITXOR(a, b): the row's form of the two operands where the dialect has
// bit operators, each in parentheses unless it is one operand (SQL Server reads & and | at the level of
// + and -, left to right: f & 1 + 2 is (f & 1) + 2). Without them (Access) one operand must be a mask written as a whole number: the
// form takes {1} the other operand, {2} its bits the mask has, {3} the mask.
bool Scan::mask(std::string_view form, std::size_t open, std::size_t close, Text &built) {
    Args args;
    std::uint32_t mask = 0;
    std::size_t index = 0, masked = 2;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        if (masked == 2 && written_mask(trimmed(src_.substr(from, to - from)), mask)) masked = index;
        ++index;
        convert_into(args, from, to, false);
    });
    if (form.empty() || args.size() != 2) return false;
    if (!bits_by_arithmetic(pass_.column)) {
        if (repeats_long_argument(form, args)) return false;
        Args operands;
        for (std::size_t i = 0; i < 2; ++i) {
            Text wrapped;
            if (!one_operand(args[i])) wrapped.push('(');
            wrapped.append(args[i]);
            if (!one_operand(args[i])) wrapped.push(')');
            operands.add(wrapped.view());
        }
        fill(built, form, operands);
        return true;
    }
    if (masked == 2) return false;
    const std::string_view operand = args[1 - masked];
    if (operand.size() > longest_repeated_argument) return false;
    Text runs;
    if (write_runs(mask, operand, runs) > most_runs) return false;
    Args parts;
    parts.add(operand);
    parts.add(runs.view());
    parts.add(args[masked]);
    fill(built, form, parts);
    return true;
}

}  // namespace tarnvel::select::fox
