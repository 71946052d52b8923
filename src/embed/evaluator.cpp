#include "embed/evaluator.hpp"

#include "embed/errors.hpp"
#include "embed/literals.hpp"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

namespace tarnvel::embed {
namespace {

constexpr int max_depth = 200;

bool is_text(char t) { return t == 'C' || t == 'V' || t == 'Q' || t == 'W' || t == 'G' || t == 'M'; }
bool is_number(char t) { return t == 'N' || t == 'I' || t == 'Y' || t == 'B' || t == 'F'; }
bool is_date(char t) { return t == 'D' || t == 'T'; }

double number_of(const HostValue &v) {
    switch (v.type) {
    case 'I': return v.integer;
    case 'Y': return static_cast<double>(v.currency) / 10000.0;
    default: return v.number;
    }
}

int decimals_of(const HostValue &v) {
    switch (v.type) {
    case 'I': return 0;
    case 'Y': return 4;
    default: return v.decimals;
    }
}

[[noreturn]] void mismatch() { throw HostError{type_mismatch, error_message(type_mismatch)}; }
[[noreturn]] void overflow() { throw HostError{numeric_overflow, error_message(numeric_overflow)}; }

HostValue numeric_result(double value, int decimals, bool currency) {
    if (!std::isfinite(value)) overflow();
    if (currency) {
        double scaled = std::round(value * 10000.0);
        if (std::fabs(scaled) >= 9.2e18) overflow();
        return HostValue::money(static_cast<std::int64_t>(scaled));
    }
    return HostValue::numeric(value, std::min(decimals, 18));
}

HostValue shifted_date(const HostValue &date, double amount) {
    if (date.number == 0) return date;  // an empty date stays empty
    HostValue out = date;
    out.number = date.type == 'D' ? date.number + std::trunc(amount) : date.number + amount / 86400.0;
    if (!std::isfinite(out.number)) overflow();
    return out;
}

HostValue concatenate(const HostValue &a, const HostValue &b, char op) {
    char type = a.type == b.type ? a.type : 'C';
    if (op == '+') return HostValue::character(a.text + b.text, type);
    // text - text: the left side's trailing blanks go to the end of the result
    std::size_t keep = a.text.find_last_not_of(' ');
    keep = keep == std::string::npos ? 0 : keep + 1;
    return HostValue::character(a.text.substr(0, keep) + b.text + a.text.substr(keep), type);
}

HostValue add(const HostValue &a, const HostValue &b, char op) {
    if (a.type == '0' || b.type == '0') return HostValue::null();
    if (is_text(a.type) && is_text(b.type)) return concatenate(a, b, op);
    if (is_number(a.type) && is_number(b.type)) {
        double x = number_of(a), y = number_of(b);
        return numeric_result(op == '+' ? x + y : x - y, std::max(decimals_of(a), decimals_of(b)),
                              a.type == 'Y' || b.type == 'Y');
    }
    if (is_date(a.type) && is_number(b.type)) return shifted_date(a, op == '+' ? number_of(b) : -number_of(b));
    if (op == '+' && is_number(a.type) && is_date(b.type)) return shifted_date(b, number_of(a));
    if (op == '-' && is_date(a.type) && a.type == b.type) {
        double days = a.number - b.number;
        return HostValue::numeric(a.type == 'D' ? days : std::round(days * 86400.0), 0);
    }
    mismatch();
}

HostValue multiply(const HostValue &a, const HostValue &b, char op) {
    if (a.type == '0' || b.type == '0') return HostValue::null();
    if (!is_number(a.type) || !is_number(b.type)) mismatch();
    double x = number_of(a), y = number_of(b);
    bool currency = a.type == 'Y' || b.type == 'Y';
    if (op == '*') return numeric_result(x * y, decimals_of(a) + decimals_of(b), currency);
    if (y == 0) throw HostError{division_by_zero, error_message(division_by_zero)};
    return numeric_result(x / y, std::max({2, decimals_of(a), decimals_of(b)}), currency);
}

HostValue negate(const HostValue &v) {
    switch (v.type) {
    case '0': return v;
    case 'I': return v.integer == INT32_MIN ? HostValue::numeric(-static_cast<double>(v.integer), 0) : HostValue::whole(-v.integer);
    case 'Y':
        if (v.currency == INT64_MIN) overflow();
        return HostValue::money(-v.currency);
    default:  // N, B, F: unary() lets numbers and null alone through
        return HostValue::numeric(-v.number, v.decimals);
    }
}

bool name_start(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || u >= 0x80;
}
bool name_char(char c) { return name_start(c) || is_digit(c); }

std::string upper(std::string_view text) {
    std::string out(text);
    for (char &c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

class Evaluator {
public:
    Evaluator(std::string_view text, const VariableStore &variables, int session)
        : cursor_{text, 0}, variables_(variables), session_(session) {}

    HostValue run() {
        cursor_.skip_blanks();
        if (cursor_.at_end()) syntax("the expression is empty");
        HostValue value = sum();
        cursor_.skip_blanks();
        if (!cursor_.at_end()) unexpected();
        return value;
    }

private:
    [[noreturn]] void syntax(const std::string &detail) const {
        throw HostError{syntax_error, "Syntax error: " + detail + " in '" + std::string(cursor_.text) + "'"};
    }
    [[noreturn]] void unexpected() const {
        if (cursor_.at_end()) syntax("unexpected end");
        syntax("unexpected '" + std::string(1, cursor_.peek()) + "' at position " + std::to_string(cursor_.pos + 1));
    }
    void expect(char c) {
        cursor_.skip_blanks();
        if (cursor_.peek() != c) unexpected();
        ++cursor_.pos;
    }

    struct Depth {
        explicit Depth(Evaluator &e) : e_(e) {
            if (++e_.depth_ > max_depth) e_.syntax("the expression is nested too deeply");
        }
        ~Depth() { --e_.depth_; }
        Evaluator &e_;
    };

    HostValue sum() { return chain("+-", &Evaluator::product, add); }
    HostValue product() { return chain("*/", &Evaluator::unary, multiply); }

    // Operands joined, left to right, by the operators of one level ('ops').
    HostValue chain(std::string_view ops, HostValue (Evaluator::*operand)(),
                    HostValue (*combine)(const HostValue &, const HostValue &, char)) {
        HostValue value = (this->*operand)();
        for (;;) {
            cursor_.skip_blanks();
            char op = cursor_.peek();
            if (ops.find(op) == std::string_view::npos) return value;
            if (op == '*' && cursor_.peek(1) == '*') syntax("the operator ** is not supported by the substitute host");
            ++cursor_.pos;
            value = combine(value, (this->*operand)(), op);
        }
    }

    HostValue unary() {
        Depth depth(*this);
        cursor_.skip_blanks();
        char op = cursor_.peek();
        if (op == '-' || op == '+') {
            ++cursor_.pos;
            HostValue value = unary();
            if (value.type != '0' && !is_number(value.type)) mismatch();
            return op == '-' ? negate(value) : value;
        }
        return primary();
    }

    HostValue primary() {
        cursor_.skip_blanks();
        if (cursor_.peek() == '(') {
            ++cursor_.pos;
            HostValue value = sum();
            expect(')');
            return value;
        }
        HostValue literal;
        if (read_literal(cursor_, literal)) return literal;
        if (name_start(cursor_.peek())) return named();
        unexpected();
    }

    // A variable, an array element, or a function call.
    HostValue named() {
        bool prefixed = false;
        if ((cursor_.peek() == 'm' || cursor_.peek() == 'M') && cursor_.peek(1) == '.' && name_start(cursor_.peek(2))) {
            cursor_.pos += 2;
            prefixed = true;
        }
        std::size_t start = cursor_.pos;
        while (!cursor_.at_end() && name_char(cursor_.peek())) ++cursor_.pos;
        std::string_view name = cursor_.text.substr(start, cursor_.pos - start);
        const Variable *variable = variables_.find(name);

        Cursor after = cursor_;
        after.skip_blanks();
        char open = after.peek();
        if (open == '(' || open == '[') {
            cursor_ = after;
            ++cursor_.pos;
            if (variable && variable->array) return element(*variable, open == '(' ? ')' : ']');
            if (variable && open == '[')
                throw HostError{not_an_array, "Variable '" + std::string(name) + "' is not an array"};
            if (!prefixed && upper(name) == "SET" && open == '(') return set_function();
            throw HostError{not_implemented, "Function " + std::string(name) + "() is not supported by the substitute host"};
        }
        if (!variable) throw HostError{variable_not_found, "Variable '" + std::string(name) + "' is not found"};
        return variable->elements.front();
    }

    HostValue element(const Variable &array, char close) {
        HostValue subscript = sum();
        cursor_.skip_blanks();
        if (cursor_.peek() == ',') syntax("two-dimensional subscripts are not supported by the substitute host");
        expect(close);
        if (!is_number(subscript.type)) mismatch();
        double n = std::trunc(number_of(subscript));
        if (n < 1 || n > static_cast<double>(array.elements.size()))
            throw HostError{invalid_subscript, error_message(invalid_subscript)};
        return array.elements[static_cast<std::size_t>(n) - 1];
    }

    HostValue set_function() {
        HostValue what = sum();
        cursor_.skip_blanks();
        if (cursor_.peek() == ',') syntax("Set() with two arguments is not supported by the substitute host");
        expect(')');
        if (!is_text(what.type)) mismatch();
        std::string setting = upper(what.text);
        setting.erase(0, setting.find_first_not_of(' '));
        setting.erase(setting.find_last_not_of(' ') + 1);
        if (setting != "DATASESSION")
            throw HostError{not_implemented, "Set('" + what.text + "') is not supported by the substitute host, only Set('DataSession')"};
        return HostValue::numeric(session_, 0);
    }

    Cursor cursor_;
    const VariableStore &variables_;
    int session_;
    int depth_ = 0;
};

}  // namespace

HostValue evaluate_expression(std::string_view text, const VariableStore &variables, int session) {
    return Evaluator(text, variables, session).run();
}

}  // namespace tarnvel::embed
