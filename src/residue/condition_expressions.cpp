// The condition check's expressions: each level of precedence says whether what it read is a
// condition or a value, and each operator asks its operands for the sort it needs.
#include "residue/condition_reader.h"

#include <algorithm>
#include <array>

namespace tarnvel::residue {
namespace {

struct ConditionCall {
    std::string_view function;
    Targets targets;  // where it is one
    int argument;     // the argument that is a condition (-1: none)
    Sort result;      // what the call is
};
// The calls that take a condition as an argument or are conditions themselves.
constexpr std::array<ConditionCall, 3> condition_calls = {{
    {"IIF", sqlserver | access, 0, Sort::value},
    {"LNNVL", oracle, 0, Sort::condition},
    {"REGEXP_LIKE", oracle, -1, Sort::condition},
}};

const ConditionCall *condition_call(Target target, std::string_view function) {
    const auto it = std::find_if(condition_calls.begin(), condition_calls.end(), [&](const ConditionCall &row) {
        return same_word(row.function, function) && (row.targets & bit(target));
    });
    return it == condition_calls.end() ? nullptr : &*it;
}

bool condition_argument(Target target, std::string_view function, int argument) {
    const ConditionCall *row = condition_call(target, function);
    return row && row->argument == argument;
}

constexpr std::array<std::string_view, 10> comparisons = {"=", "<>", "!=", "<", ">", "<=", ">=", "!<", "!>", "^="};
constexpr std::array<std::string_view, 7> additions = {"+", "-", "||", "&", "|", "^", "%"};

bool one_of(const Token &token, std::span<const std::string_view> ops) {
    return token.kind == TokenKind::symbol && std::find(ops.begin(), ops.end(), token.text) != ops.end();
}

}  // namespace

void ConditionReader::condition() {
    const std::size_t from = at_;
    need_condition(expression(), from);
}

void ConditionReader::value() {
    const std::size_t from = at_;
    need_value(expression(), from);
}

Sort ConditionReader::expression() { return joined("OR", &ConditionReader::conjunction); }

Sort ConditionReader::conjunction() { return joined("AND", &ConditionReader::negation); }

// Operands of the next level joined by 'word' (OR, AND): each of them, when there are several, a condition.
Sort ConditionReader::joined(std::string_view word, Sort (ConditionReader::*operand)()) {
    const std::size_t from = at_;
    Sort sort = (this->*operand)();
    while (at_word(word)) {
        need_condition(sort, from);
        ++at_;
        const std::size_t next = at_;
        need_condition((this->*operand)(), next);
        sort = Sort::condition;
    }
    return sort;
}

Sort ConditionReader::negation() {
    if (!accept("NOT")) return predicate();
    const std::size_t from = at_;
    need_condition(negation(), from);
    return Sort::condition;
}

Sort ConditionReader::predicate() {
    const std::size_t from = at_;
    const Sort sort = additive();
    const std::size_t to = at_;  // the left operand ends before the operator
    const bool negated = at_word("NOT") && (peek(1).is("IN") || peek(1).is("LIKE") || peek(1).is("BETWEEN"));
    if (negated) ++at_;
    if (one_of(peek(), comparisons) && !negated) {
        need_value(sort, from, to);
        ++at_;
        comparison_operand();
    } else if (accept("IN")) {
        need_value(sort, from, to);
        in_list();
    } else if (accept("LIKE")) {
        need_value(sort, from, to);
        comparison_operand();
        if (accept("ESCAPE")) comparison_operand();
    } else if (accept("BETWEEN")) {
        need_value(sort, from, to);
        for (bool first = true;; first = false) {
            const std::size_t bound = at_;
            need_value(additive(), bound);
            if (!first) break;
            expect("AND");
        }
    } else if (accept("IS") && !negated) {
        need_value(sort, from, to);
        accept("NOT");
        expect("NULL");
    } else {
        if (negated) unread();
        return sort;
    }
    return Sort::condition;
}

// What follows a comparison operator: a value, or ANY, SOME or ALL of a subquery or list.
void ConditionReader::comparison_operand() {
    if ((at_word("ANY") || at_word("SOME") || at_word("ALL")) && peek(1).kind == TokenKind::open) {
        ++at_;
        in_list();
        return;
    }
    const std::size_t from = at_;
    need_value(additive(), from);
}

// "(" subquery ")" or "(" values ")".
void ConditionReader::in_list() {
    if (peek().kind != TokenKind::open) unread();
    if (at_query()) {
        expect(TokenKind::open);
        compound();
        expect(TokenKind::close);
        return;
    }
    expect(TokenKind::open);
    do value();
    while (accept(TokenKind::comma));
    expect(TokenKind::close);
}

Sort ConditionReader::additive() { return computed(&ConditionReader::at_addition, &ConditionReader::multiplicative); }

Sort ConditionReader::multiplicative() { return computed(&ConditionReader::at_multiplication, &ConditionReader::unary); }

bool ConditionReader::at_addition() const {
    return one_of(peek(), additions) && !(peek().symbol("%") && target_ == Target::oracle);
}

bool ConditionReader::at_multiplication() const { return peek().symbol("*") || peek().symbol("/"); }

// Operands of the next level joined by the operators 'at_operator' sees (+, -, *, /...): each of them,
// when there are several, a value.
Sort ConditionReader::computed(bool (ConditionReader::*at_operator)() const, Sort (ConditionReader::*operand)()) {
    const std::size_t from = at_;
    Sort sort = (this->*operand)();
    while ((this->*at_operator)()) {
        need_value(sort, from);
        ++at_;
        const std::size_t next = at_;
        need_value((this->*operand)(), next);
        sort = Sort::value;
    }
    return sort;
}

Sort ConditionReader::unary() {
    if (peek().symbol("-") || peek().symbol("+") || peek().symbol("~")) {
        ++at_;
        const std::size_t from = at_;
        need_value(unary(), from);
        return Sort::value;
    }
    const Sort sort = primary();
    postfix();
    return sort;
}

// COLLATE name, and Oracle's (+) of an outer join.
void ConditionReader::postfix() {
    if (accept("COLLATE")) {
        expect(TokenKind::word);
    } else if (peek().kind == TokenKind::open && peek(1).symbol("+") && peek(2).kind == TokenKind::close) {
        at_ += 3;
    }
}

Sort ConditionReader::primary() {
    const Token &token = peek();
    switch (token.kind) {
    case TokenKind::number:
    case TokenKind::literal:
    case TokenKind::parameter:  // ?name, or ?(expression) that the host evaluates
        ++at_;
        if (token.text == "?" && peek().kind == TokenKind::open) skip_parenthesis();
        return Sort::value;
    case TokenKind::quoted: return name_chain();
    case TokenKind::word: return word_primary();
    case TokenKind::open: return parenthesis();
    default: break;
    }
    if (token.symbol("{")) {  // an ODBC escape, {d '2024-01-31'} or {fn ...}
        while (!peek().symbol("}") && peek().kind != TokenKind::end) ++at_;
        expect(TokenKind::symbol);
        return Sort::value;
    }
    unread();
}

Sort ConditionReader::word_primary() {
    const Token &token = peek();
    if (token.is("CASE")) return case_expression();
    if (token.is("EXISTS")) {
        ++at_;
        if (!at_query()) unread();
        in_list();
        return Sort::condition;
    }
    if (token.is("NULL")) {
        ++at_;
        return Sort::value;
    }
    if ((token.is("DATE") || token.is("TIMESTAMP")) && peek(1).kind == TokenKind::literal) {
        at_ += 2;
        return Sort::value;
    }
    const bool callable = peek(1).kind == TokenKind::open && (token.is("LEFT") || token.is("RIGHT"));
    if (reserved_word(token.text) && !callable) unread();
    return name_chain();
}

Sort ConditionReader::parenthesis() {
    if (peek(1).is("SELECT") || peek(1).is("WITH")) {  // ((SELECT ...)) is read a level down
        expect(TokenKind::open);
        compound();
        expect(TokenKind::close);
        return Sort::value;
    }
    expect(TokenKind::open);
    const Sort sort = expression();
    expect(TokenKind::close);
    return sort;
}

// name, name.name, name.*, "quoted".name, and a call of name(...) or owner.name(...).
Sort ConditionReader::name_chain() {
    const Token &first = peek();
    ++at_;
    std::string_view last = first.text;
    while (peek().kind == TokenKind::dot) {
        ++at_;
        if (peek().symbol("*")) {
            ++at_;
            return Sort::value;
        }
        if (peek().kind != TokenKind::word && peek().kind != TokenKind::quoted) unread();
        last = peek().text;
        ++at_;
    }
    if (peek().kind != TokenKind::open || (peek(1).symbol("+") && peek(2).kind == TokenKind::close)) return Sort::value;
    call(last);
    const ConditionCall *row = condition_call(target_, last);
    return row ? row->result : Sort::value;
}

void ConditionReader::call(std::string_view name) {
    expect(TokenKind::open);
    if (!accept(TokenKind::close)) {
        call_arguments(name);
        expect(TokenKind::close);
    }
    window();
}

void ConditionReader::call_arguments(std::string_view name) {
    if (same_word(name, "COUNT") && peek().symbol("*")) {
        ++at_;
        return;
    }
    if (same_word(name, "EXTRACT")) {
        expect(TokenKind::word);
        expect("FROM");
    } else if (same_word(name, "TRIM") && (accept("LEADING") || accept("TRAILING") || accept("BOTH"))) {
        if (accept("FROM")) return value();
    }
    if (!accept("DISTINCT")) accept("ALL");
    for (int argument = 0;; ++argument) {
        const std::size_t from = at_;
        const Sort sort = expression();
        if (!condition_argument(target_, name, argument)) need_value(sort, from);
        if ((same_word(name, "CAST") || same_word(name, "TRY_CAST")) && accept("AS")) {
            while (peek().kind != TokenKind::close && peek().kind != TokenKind::end)
                peek().kind == TokenKind::open ? skip_parenthesis() : void(++at_);
            return;
        }
        if (same_word(name, "TRIM") && accept("FROM")) return value();
        if (!accept(TokenKind::comma)) return;
    }
}

// OVER (...) and WITHIN GROUP (ORDER BY ...) after a call.
void ConditionReader::window() {
    if (accept("WITHIN")) {
        expect("GROUP");
        expect(TokenKind::open);
        expect("ORDER");
        expect("BY");
        order_list();
        expect(TokenKind::close);
    }
    if (!accept("OVER")) return;
    expect(TokenKind::open);
    if (accept("PARTITION")) {
        expect("BY");
        do value();
        while (accept(TokenKind::comma));
    }
    if (accept("ORDER")) {
        expect("BY");
        order_list();
    }
    expect(TokenKind::close);
}

Sort ConditionReader::case_expression() {
    expect("CASE");
    const bool searched = at_word("WHEN");
    if (!searched) value();
    while (accept("WHEN")) {
        searched ? condition() : value();
        expect("THEN");
        value();
    }
    if (accept("ELSE")) value();
    expect("END");
    return Sort::value;
}

}  // namespace tarnvel::residue
