// Numbers and the literals written in hexadecimal: 0h0A0B, FoxPro's binary literal, becomes the
// dialect's own (lit.binary); 0x1F, a number, its value in decimal (lit.hex_number).
#include "select/fox/forms.h"
#include "select/fox/scan.h"

#include <cstdint>

namespace tarnvel::select::fox {

namespace {

constexpr std::size_t widest_hex_number = 16;  // digits an unsigned 64-bit value holds

std::uint8_t hex_value(char c) {
    const char u = upper(c);
    return static_cast<std::uint8_t>(u <= '9' ? u - '0' : u - 'A' + 10);
}

// The value of the hexadecimal digits (at most widest_hex_number of them).
std::uint64_t hex_number(std::string_view hex) {
    std::uint64_t value = 0;
    for (char c : hex) value = value << 4 | hex_value(c);
    return value;
}

}  // namespace

void append_decimal(Text &out, std::uint64_t value) {
    char digits[24];
    std::size_t n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > 0) out.push(digits[--n]);
}

// The run from the position to 'end' opens with 0h or 0x: written as the dialect's form of it when it
// is a whole token the dialect has a form for. False when it stays as written.
bool Scan::hex_literal(std::size_t end) {
    if (hex_prefix(src_, pos_, end_) == '\0') return false;  // 0.5, 0e3
    const bool binary = upper(src_[pos_ + 1]) == 'H';
    const std::string_view form = (binary ? named().lit_binary : named().lit_hex_number).target[pass_.column];
    const std::string_view digits = src_.substr(pos_ + 2, end - pos_ - 2);
    const bool after_name = pos_ > 0 && (name_char(src_[pos_ - 1]) || src_[pos_ - 1] == '.');
    if (form.empty() || after_name || (end < end_ && name_char(src_[end])) ||
        (!binary && digits.size() > widest_hex_number)) {
        return false;
    }
    Text value;
    if (!binary) append_decimal(value, hex_number(digits));
    else if (digits.size() % 2 != 0) value.push('0');  // 0hA is the byte 0A
    if (binary) value.append(digits);
    Args args;
    args.add(value.view());
    Text built;
    fill(built, form, args);
    begin_token(pos_);
    out_.replace(pos_, end, built.view());
    pos_ = end;
    prev_ = Prev::operand;
    return true;
}

}  // namespace tarnvel::select::fox
