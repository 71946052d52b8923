// The condition check's clauses: which parts of a SELECT command want conditions (WHERE, ON,
// HAVING) and which values (the select list, GROUP BY, ORDER BY, TOP, OFFSET, FETCH).
#include "residue/condition_reader.h"

#include <algorithm>
#include <array>

namespace tarnvel::residue {

bool reserved_word(std::string_view word) {
    static constexpr std::array<std::string_view, 56> words = {
        "SELECT", "FROM", "WHERE", "GROUP", "BY", "HAVING", "ORDER", "UNION", "INTERSECT", "EXCEPT", "MINUS",
        "ON", "JOIN", "INNER", "LEFT", "RIGHT", "FULL", "OUTER", "CROSS", "APPLY", "AS", "ASC", "DESC",
        "THEN", "ELSE", "END", "WHEN", "CASE", "AND", "OR", "NOT", "IS", "IN", "LIKE", "BETWEEN", "ESCAPE",
        "INTO", "OFFSET", "FETCH", "FOR", "WITH", "NULL", "EXISTS", "DISTINCT", "ALL", "TOP", "UNIQUE",
        "CONNECT", "START", "PRIOR", "OPTION", "NATURAL", "LIMIT", "COLLATE", "OVER", "WITHIN",
    };
    return std::any_of(words.begin(), words.end(), [&](std::string_view w) { return same_word(word, w); });
}

bool ConditionReader::read_statement() {
    try {
        while (accept("WITH")) {  // common table expressions
            do {
                expect(TokenKind::word);
                if (peek().kind == TokenKind::open) skip_parenthesis();
                expect("AS");
                in_list();
            } while (accept(TokenKind::comma));
        }
        compound();
        if (peek().symbol(";")) ++at_;
        if (peek().kind != TokenKind::end) unread();
        return true;
    } catch (const Unread &) {
        findings.clear();
        return false;
    }
}

// Members joined by UNION, INTERSECT, EXCEPT or MINUS, then what orders and limits them all.
void ConditionReader::compound() {
    query_operand();
    while (accept("UNION") || accept("INTERSECT") || accept("EXCEPT") || accept("MINUS")) {
        accept("ALL");
        query_operand();
    }
    tail();
}

void ConditionReader::query_operand() {
    if (peek().kind == TokenKind::open) {
        expect(TokenKind::open);
        compound();
        expect(TokenKind::close);
        return;
    }
    select_core();
}

void ConditionReader::select_core() {
    expect("SELECT");
    if (!accept("DISTINCT") && !accept("UNIQUE")) accept("ALL");
    top();
    select_list();
    if (accept("FROM")) from_list();
    if (accept("WHERE")) condition();
    if (accept("GROUP")) {
        expect("BY");
        do value();
        while (accept(TokenKind::comma));
    }
    if (accept("HAVING")) condition();
}

void ConditionReader::top() {
    if (!accept("TOP")) return;
    if (peek().kind == TokenKind::open) parenthesis();
    else expect(TokenKind::number);
    accept("PERCENT");
    if (at_word("WITH") && peek(1).is("TIES")) at_ += 2;
}

void ConditionReader::select_list() {
    do select_item();
    while (accept(TokenKind::comma));
}

void ConditionReader::select_item() {
    if (peek().symbol("*")) {
        ++at_;
        return;
    }
    const bool named = (peek().kind == TokenKind::word || peek().kind == TokenKind::quoted) &&
                       !reserved_word(peek().text) && peek(1).symbol("=");
    if (target_ == Target::sqlserver && named) at_ += 2;  // alias = expression
    value();
    if (accept("AS")) {
        if (peek().kind != TokenKind::word && peek().kind != TokenKind::quoted && peek().kind != TokenKind::literal) unread();
        ++at_;
    } else if ((peek().kind == TokenKind::word && !reserved_word(peek().text)) || peek().kind == TokenKind::quoted) {
        ++at_;
    }
}

void ConditionReader::from_list() {
    do table_reference();
    while (accept(TokenKind::comma));
}

void ConditionReader::table_reference() {
    table_primary();
    while (join()) {
    }
}

bool ConditionReader::join() {
    const std::size_t from = at_;
    if (accept("CROSS") || accept("OUTER")) {
        if (accept("APPLY")) {
            table_primary();
            return true;
        }
    }
    if (!accept("INNER")) {
        if (accept("LEFT") || accept("RIGHT") || accept("FULL")) accept("OUTER");
    }
    if (!accept("JOIN")) {
        at_ = from;
        return false;
    }
    table_primary();
    while (join()) {  // a JOIN b JOIN c ON ... ON ...
    }
    if (accept("ON")) condition();
    else if (accept("USING")) skip_parenthesis();
    return true;
}

void ConditionReader::table_primary() {
    if (peek().kind == TokenKind::open) {
        if (at_query()) {
            in_list();
        } else {
            expect(TokenKind::open);
            table_reference();
            expect(TokenKind::close);
        }
    } else if (peek().kind == TokenKind::word || peek().kind == TokenKind::quoted) {
        if (reserved_word(peek().text) && peek().kind == TokenKind::word) unread();
        ++at_;
        while (accept(TokenKind::dot)) {
            if (peek().kind != TokenKind::word && peek().kind != TokenKind::quoted) unread();
            ++at_;
        }
        if (peek().kind == TokenKind::open) skip_parenthesis();  // a table function's arguments
    } else {
        unread();
    }
    table_alias();
}

void ConditionReader::table_alias() {
    const bool as = accept("AS");
    const bool using_columns = at_word("USING") && peek(1).kind == TokenKind::open;
    if ((peek().kind == TokenKind::word && !reserved_word(peek().text) && !using_columns) || peek().kind == TokenKind::quoted)
        ++at_;
    else if (as) unread();
    if (at_word("WITH") && peek(1).kind == TokenKind::open) {  // table hints
        ++at_;
        skip_parenthesis();
    }
}

void ConditionReader::order_list() {
    do {
        value();
        if (!accept("ASC")) accept("DESC");
        if (accept("NULLS") && !accept("FIRST")) expect("LAST");
    } while (accept(TokenKind::comma));
}

// ORDER BY, OFFSET ... ROWS, FETCH FIRST/NEXT ... ROWS ONLY, FOR UPDATE, OPTION (...).
void ConditionReader::tail() {
    if (accept("ORDER")) {
        expect("BY");
        order_list();
    }
    if (accept("OFFSET")) {
        value();
        if (!accept("ROWS")) expect("ROW");
    }
    if (accept("FETCH")) {
        if (!accept("FIRST")) expect("NEXT");
        if (!at_word("ROWS") && !at_word("ROW")) value();
        accept("PERCENT");
        if (!accept("ROWS")) expect("ROW");
        if (!accept("ONLY")) {
            expect("WITH");
            expect("TIES");
        }
    }
    if (accept("FOR")) {
        expect("UPDATE");
        if (accept("OF")) name_chain();
    }
    if (accept("OPTION")) skip_parenthesis();
}

}  // namespace tarnvel::residue
