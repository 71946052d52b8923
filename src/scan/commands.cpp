#include "scan/commands.h"

#include "scan/foxpro_text.h"

#include <array>

namespace tarnvel::scan {
namespace {

struct CreateForm {
    std::string_view word;  // the word after CREATE
    std::size_t shortest;
    StatementKind kind;
};
constexpr std::array<CreateForm, 3> create_forms{{
    {"TABLE", 4, StatementKind::create_table},
    {"DBF", 3, StatementKind::create_dbf},
    {"CURSOR", 4, StatementKind::create_cursor},
}};

constexpr std::array<std::string_view, 4> kind_names{"select", "create-table", "create-dbf", "create-cursor"};

std::size_t skip_blanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && blank(text[pos])) ++pos;
    return pos;
}

// The ")" that closes the "(" at 'open', outside literals; npos when none does.
std::size_t closing_paren(std::string_view text, std::size_t open) {
    int depth = 0;
    std::size_t found = npos;
    each_code_char(text.substr(open), [&](std::size_t pos) {
        if (text[open + pos] == '(') ++depth;
        else if (text[open + pos] == ')' && --depth == 0) found = open + pos;
        return found == npos;
    });
    return found;
}

// One past the table's name that starts at 'pos': a name expression (...), a quoted file name, or
// a run of anything but blanks and "(" (a name, a path, a macro).
std::size_t name_end(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return pos;
    if (text[pos] == '(') {
        const std::size_t close = closing_paren(text, pos);
        return close == npos ? text.size() : close + 1;
    }
    if (text[pos] == '"' || text[pos] == '\'') {
        const std::size_t end = literal_end(text, pos);
        return end == npos ? text.size() : end;
    }
    while (pos < text.size() && !blank(text[pos]) && text[pos] != '(') ++pos;
    return pos;
}

std::optional<Command> create_command(std::string_view line, const Word &create) {
    const Word second = word_at(line, create.end);
    const CreateForm *form = nullptr;
    for (const CreateForm &f : create_forms)
        if (abbreviates(second.text, f.word, f.shortest)) form = &f;
    if (form == nullptr) return std::nullopt;
    const std::size_t name = skip_blanks(line, second.end);
    const std::size_t after_name = name_end(line, name);
    if (after_name == name) return std::nullopt;
    // NAME long_name, FREE and CODEPAGE = n may stand before the field list
    std::size_t open = npos;
    each_code_char(line.substr(after_name), [&](std::size_t pos) {
        if (line[after_name + pos] == '(') open = after_name + pos;
        return open == npos;
    });
    const std::string_view between = line.substr(after_name, open == npos ? npos : open - after_name);
    if (has_word(between, "FROM") || open == npos) return std::nullopt;  // FROM ARRAY, or no field list
    Command command;
    command.kind = form->kind;
    command.table = line.substr(name, after_name - name);
    const std::size_t close = closing_paren(line, open);
    if (close == npos) {
        command.convertible = line.substr(open + 1);
        command.problem = "the field list has no closing parenthesis";
        return command;
    }
    command.convertible = line.substr(open + 1, close - open - 1);
    while (!command.convertible.empty() && blank(command.convertible.front())) command.convertible.remove_prefix(1);
    while (!command.convertible.empty() && blank(command.convertible.back())) command.convertible.remove_suffix(1);
    command.macros = macros(command.convertible);
    return command;
}

}  // namespace

std::string_view kind_name(StatementKind kind) { return kind_names[static_cast<std::size_t>(kind)]; }

std::optional<Command> recognise(std::string_view line) {
    const Word first = word_at(line, 0);
    if (first.text.empty() || (first.end < line.size() && (line[first.end] == '.' || line[first.end] == '=')))
        return std::nullopt;  // no command word, or an assignment or object reference
    if (abbreviates(first.text, "SELECT")) {
        if (!has_word(line.substr(first.end), "FROM")) return std::nullopt;
        Command command;
        command.convertible = line.substr(first.begin);
        command.macros = macros(command.convertible);
        return command;
    }
    if (abbreviates(first.text, "CREATE")) return create_command(line, first);
    return std::nullopt;
}

}  // namespace tarnvel::scan
