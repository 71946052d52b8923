// The FoxPro-syntax pass. One left-to-right scan of the statement keeps, per parenthesis level, the
// clause it is in (the table list, a condition, a value), the start of the operand being read and
// what stood before it; a FoxPro-only construct is replaced in the output as the map's row for the
// dialect says. Arguments of a rewritten call are converted by a scan of their own (recursively),
// so constructs nest. The output is built only from the first change on: a statement without
// FoxPro-only constructs costs one scan and no copy, most not even that (quick_look.cpp).
#include "select/fox/rewrite.h"

#include "select/dialect.h"
#include "select/fox/derived_names.h"
#include "select/fox/scan.h"
#include "select/literals.h"

namespace tarnvel::select::fox {

tarnvel::Text rewrite(const Dialect &dialect, std::string_view statement, bool look_first, bool typed_items,
                      std::string_view *record_number) {
    const lex::LiteralRules rules = source_literals(dialect, true);
    tarnvel::Text renamed = name_derived_twins(statement, rules);
    if (renamed) statement = renamed.view();
    Pass pass{column_of(dialect), rules, statement};
    pass.typed_items = typed_items;
    pass.look_first = look_first;
    pass.double_backslashes = named().lit_backslash.target[pass.column] == "\\\\";
    tarnvel::Text out;
    if (!look_first || worth_a_pass(pass, statement)) {
        Scan scan(pass, statement, 0, statement.size(), Level{});
        scan.run();
        if (scan.out().changed()) out = scan.out().release(statement.size());
    }
    if (record_number) *record_number = pass.record_number;
    tarnvel::Text joined = join_strings(pass, out ? out.view() : statement);
    if (joined) return joined;
    return out ? std::move(out) : std::move(renamed);
}

}  // namespace tarnvel::select::fox
