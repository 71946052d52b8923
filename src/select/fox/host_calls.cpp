// Calls the application works out: a FoxPro function that a target lacks (GETENV, SYS, ADDBS,
// JUSTFNAME, VARTYPE, ASCAN...), called on host values only (literals, m.x, object properties,
// host parameters, calls of those), becomes one host expression ?(...), which SQL pass-through
// evaluates in FoxPro before the statement reaches the server. FoxPro's own meaning is kept
// exactly, since FoxPro evaluates it; a call on a field stays for the map's rows (or as written).
#include "select/fox/scan.h"

#include <cstring>
#include <iterator>

namespace tarnvel::select::fox {
namespace {

using First = HostFunction::First;
constexpr std::uint8_t every = 0x1F;
constexpr std::uint8_t bit(Column c) { return static_cast<std::uint8_t>(1u << static_cast<unsigned>(c)); }

// least: the fewest arguments that make the call a value of the host's (RECCOUNT() with none counts
// the rows of the table being read, RECCOUNT('cur') those of another cursor); first: what the first
// argument is (a memory array is never a field; a work area the statement reads is the server's);
// lacking: the dialects without such a function. EVALUATE and TYPE are none: their text may name a
// field of the row being read.
constexpr HostFunction host_functions[] = {
    // file names
    {"ADDBS",      1, First::value, every},
    {"DEFAULTEXT", 2, First::value, every},
    {"FORCEEXT",   2, First::value, every},
    {"FORCEPATH",  2, First::value, every},
    {"JUSTDRIVE",  1, First::value, every},
    {"JUSTEXT",    1, First::value, every},
    {"JUSTFNAME",  1, First::value, every},
    {"JUSTPATH",   1, First::value, every},
    {"JUSTSTEM",   1, First::value, every},
    {"FULLPATH",   1, First::value, every},
    {"CURDIR",     0, First::value, every},
    {"FILE",       1, First::value, every},
    {"DIRECTORY",  1, First::value, every},
    {"SYS",        1, First::value, every},
    {"GETENV",     1, First::value, every},
    {"VERSION",    0, First::value, every},
    {"OS",         0, First::value, every},
    {"DISKSPACE",  0, First::value, every},
    {"HOME",       0, First::value, every},
    {"FILETOSTR",  1, First::value, every},
    // types, expressions, settings
    {"VARTYPE",    1, First::value, every},
    {"SET",        1, First::value, every},
    {"MESSAGE",    0, First::value, every},
    {"ERROR",      0, First::value, every},
    {"PROGRAM",    0, First::value, every},
    {"LINENO",     0, First::value, every},
    {"PCOUNT",     0, First::value, every},
    {"PARAMETERS", 0, First::value, every},
    {"TEXTMERGE",  1, First::value, every},
    {"DBGETPROP",  3, First::value, every},
    {"SQLGETPROP", 2, First::value, every},
    {"TXNLEVEL",   0, First::value, every},
    // work areas and cursors other than the statement's own
    {"RECCOUNT",   1, First::alias, every},
    {"RECNO",      1, First::alias, every},
    {"ALIAS",      0, First::value, every},
    {"DBF",        1, First::alias, every},
    {"USED",       1, First::alias, every},
    {"FCOUNT",     1, First::alias, every},
    {"FIELD",      1, First::alias, every},
    {"EOF",        1, First::alias, every},
    {"BOF",        1, First::alias, every},
    {"FOUND",      1, First::alias, every},
    // memory arrays and memo lines
    {"ALEN",       1, First::array, every},
    {"ASCAN",      2, First::array, every},
    {"ASUBSCRIPT", 2, First::array, every},
    {"AELEMENT",   2, First::array, every},
    {"MLINE",      2, First::value, every},
    {"MEMLINES",   1, First::value, every},
    // conversions no server writes alike
    {"DMY",        1, First::value, every},
    {"MDY",        1, First::value, every},
    {"BINTOC",     1, First::value, every},
    {"CTOBIN",     1, First::value, every},
    {"STRCONV",    2, First::value, every},
    {"CPCONVERT",  3, First::value, every},
    {"ISLEADBYTE", 1, First::value, every},
    {"STREXTRACT", 2, First::value, every},
    {"PROPER",     1, First::value, bit(sqlserver) | bit(mysql) | bit(access)},
    {"CHRTRAN",    3, First::value, bit(access)},
    {"OCCURS",     2, First::value, bit(access)},
    {"SOUNDEX",    1, First::value, bit(access) | bit(pgsql)},
    {"DIFFERENCE", 2, First::value, bit(oracle) | bit(mysql) | bit(access) | bit(pgsql)},
};

constexpr auto host_function_table() {
    WordTable<128> table;
    for (std::size_t i = 0; i < std::size(host_functions); ++i) table.add(host_functions[i].name, static_cast<std::uint8_t>(i));
    return table;
}
constexpr auto host_function_names = host_function_table();

// The system variables a statement may read: counts, dates and texts of the session, printing and
// the platform (_SCREEN and _VFP are objects, read as THISFORM.x is).
constexpr std::string_view system_variables[] = {
    "_TALLY",   "_PAGENO",  "_PAGETOTAL", "_DIARYDATE", "_CLIPTEXT", "_CALCVALUE", "_CALCMEM",  "_MLINE",
    "_DBLCLICK", "_INCSEEK", "_TRIGGERLEVEL", "_WINDOWS", "_DOS",     "_MAC",      "_UNIX",     "_PLINENO",
    "_PCOLNO",  "_PLENGTH", "_PCOPIES",   "_LMARGIN",   "_RMARGIN",  "_PRETEXT",  "_STARTUP",  "_THROTTLE",
};
constexpr auto system_variable_table() {
    WordTable<64> table;
    for (std::string_view name : system_variables) table.add(name, 1);
    return table;
}
constexpr auto system_variable_names = system_variable_table();

// A call inside a host expression that the host may work out: no aggregate of the statement's rows
// (SUM(m.x) is one) and, without arguments, only the clock or a host function that needs none.
bool host_inner_call(std::string_view name, std::size_t count) {
    if (count == 1) {
        for (std::string_view aggregate : {"COUNT", "SUM", "AVG", "CNT", "MIN", "MAX"}) {
            if (same_word(name, aggregate)) return false;
        }
    }
    if (count > 0) return true;
    for (std::string_view clock : {"DATE", "DATETIME", "TIME", "SECONDS"}) {
        if (same_word(name, clock)) return true;
    }
    const HostFunction *f = host_function(name);
    return f != nullptr && f->least_args == 0;
}

}  // namespace

const HostFunction *host_function(std::string_view name) {
    const int i = host_function_names.find(name);
    return i < 0 ? nullptr : &host_functions[i];
}

bool system_variable(std::string_view name) { return system_variable_names.find(name) > 0; }

bool host_function_lacking(std::string_view name, Column column) {
    const HostFunction *f = host_function(name);
    return f != nullptr && (f->lacking & bit(column)) != 0;
}

// The call of a host function whose "(" is at 'open', as ?(...) when its arguments are host values.
bool Scan::host_call(std::string_view name, std::size_t w0, std::size_t open) {
    const HostFunction *f = host_function(name);
    if (f == nullptr || (f->lacking & bit(pass_.column)) == 0) return false;
    const auto [close, count] = call_extent(open);
    if (close == none || count < f->least_args || !host_values(open + 1, close, f->first == First::array)) return false;
    if (f->first == First::alias && read_work_area(open + 1, close)) return false;
    begin_token(w0);
    expression_parameter(w0, close);
    return true;
}

// The text from 'from' to 'to' holds host values alone: literals, numbers, dates, logical values,
// operators, host parameters, m.x and object references, memory array elements, and calls of those;
// with 'array', its first name is a memory array. A name alone may be a field: then false.
bool Scan::host_values(std::size_t from, std::size_t to, bool array) const {
    for (std::size_t at = from; at < to;) {
        const char c = src_[at];
        if (is_blank(c) || std::strchr("+-*/%^=<>#!$(),", c) != nullptr) {
            ++at;
        } else if (quote_at(at)) {
            at = literal_end(at);
        } else if (is_digit(c)) {
            at = number_end(src_, at, to);
        } else if (c == '?') {
            at = parameter_end(src_, at, to, pass_.rules);
        } else if (c == '{') {
            const std::size_t close = src_.find('}', at);
            if (close == none || close >= to) return false;
            at = close + 1;
        } else if (c == '.') {
            std::size_t end = at + 1;
            while (end < to && name_char(src_[end])) ++end;
            const std::string_view word = src_.substr(at + 1, end - at - 1);
            const bool dotted = end < to && src_[end] == '.' &&
                                (word.size() == 1 ? std::strchr("TtFfYyNn", word[0]) != nullptr
                                                  : same_word(word, "NULL") || same_word(word, "AND") ||
                                                        same_word(word, "OR") || same_word(word, "NOT"));
            if (!dotted) {
                if (at > from && (src_[at - 1] == ')' || src_[at - 1] == ']') && end > at + 1) {
                    at = name_chain_end(src_, at + 1, to);  // THISFORM.grd.Columns(1).Text1.Value
                    continue;
                }
                if (end == at + 1 && at + 1 < to && is_digit(src_[at + 1])) {  // .5
                    at = number_end(src_, at, to);
                    continue;
                }
                return false;
            }
            at = end + 1;
        } else if (name_start(c)) {
            const std::size_t next = host_name_end(at, to, array);
            if (next == none) return false;
            at = next;
            array = false;
        } else {
            return false;
        }
    }
    return true;
}

// The first argument, from 'from', is a literal naming a table or alias the statement reads
// (RECCOUNT('customer') FROM customer): a count of the server's table, no value of the host's.
bool Scan::read_work_area(std::size_t from, std::size_t close) const {
    from = skip_blanks(from);
    const std::size_t end = literal_end(from);
    if (end == from || end > close || end - from < 3) return false;
    const std::string_view literal = src_.substr(from, end - from);
    return pass_.names_besides(trimmed(literal.substr(1, literal.size() - 2)), literal);
}

// One past the host value that the name at 'at' begins (m.x, THISFORM.x.Value, goApp.cUser, laX[1],
// laX(1), a call, AND, OR, NOT, NULL; with 'array', any name), or none for a name that may be a field.
std::size_t Scan::host_name_end(std::size_t at, std::size_t to, bool array) const {
    std::size_t w1 = at;
    while (w1 < to && name_char(src_[w1])) ++w1;
    const std::string_view word = src_.substr(at, w1 - at);
    const std::size_t after = skip_blanks(w1);
    if (w1 < to && src_[w1] == '.' && w1 + 1 < to && name_start(src_[w1 + 1]) && !dotted_operator(src_, w1, to, true)) {
        if (!object_word(word) && !pass_.host_qualifier(word)) return none;
        const std::size_t end = name_chain_end(src_, at, to);
        if (end < to && src_[end] == '(') return end;  // THISFORM.grd.Columns(1): the arguments follow
        if (end < to && src_[end] == '[') {
            const std::size_t close = subscript_end(src_, end);
            return close == none || close >= to ? none : close + 1;
        }
        return end;
    }
    if (w1 < to && src_[w1] == '[') {
        const std::size_t close = subscript_end(src_, w1);
        return close == none || close >= to ? none : close + 1;
    }
    if (after < to && src_[after] == '(') {
        if (array_in_parentheses(word, src_.substr(0, to), after)) return after;
        const auto [close, count] = fox::call_extent(src_, after, to, pass_.rules);
        if (close == none || !host_inner_call(word, count)) return none;
        const HostFunction *f = host_function(word);
        if (f != nullptr && f->first == First::alias && read_work_area(after + 1, close)) return none;
        return host_values(after + 1, close, f != nullptr && f->first == First::array) ? close + 1 : none;
    }
    if (array) return w1;
    const Kw kw = keyword_of(word);
    return kw == Kw::logic || kw == Kw::value ? w1 : none;
}

}  // namespace tarnvel::select::fox
