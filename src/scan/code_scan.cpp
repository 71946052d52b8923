#include "scan/code_scan.h"

#include "scan/code_lines.h"
#include "scan/foxpro_text.h"

#include <optional>

namespace tarnvel::scan {
namespace {

// The class, the routine and where the routine started, as the commands go by.
struct Context {
    std::string outer;   // the object of the code as a whole
    std::string object;
    bool in_class = false;
    std::string method;
    std::size_t method_line = 0;
};

// A name with the dots of an object path (Command1.Click).
std::string_view dotted_name(std::string_view text, std::size_t begin) {
    std::size_t end = begin;
    while (end < text.size() && (name_char(text[end]) || (text[end] == '.' && end > begin))) ++end;
    while (end > begin && text[end - 1] == '.') --end;
    return text.substr(begin, end - begin);
}

// A PROCEDURE or FUNCTION line (HIDDEN and PROTECTED before it in a class): the routine's name.
std::optional<std::string_view> routine(std::string_view line) {
    Word word = word_at(line, 0);
    if (abbreviates(word.text, "PROTECTED") || abbreviates(word.text, "HIDDEN")) word = word_at(line, word.end);
    if (!abbreviates(word.text, "PROCEDURE") && !abbreviates(word.text, "FUNCTION")) return std::nullopt;
    const Word name = word_at(line, word.end);
    if (name.text.empty() || name.begin == word.end) return std::nullopt;  // PROC = 1, or no name
    return dotted_name(line, name.begin);
}

// Follows DEFINE CLASS, ENDDEFINE, PROCEDURE, FUNCTION, ENDPROC and ENDFUNC; true for those lines.
bool follow(Context &context, const CommandLine &command, CodeScan &found) {
    const std::string_view line = command.text;
    const Word first = word_at(line, 0);
    if (abbreviates(first.text, "DEFINE")) {
        const Word second = word_at(line, first.end);
        if (!abbreviates(second.text, "CLASS")) return false;
        context.object = std::string(word_at(line, second.end).text);
        context.in_class = true;
        context.method.clear();
        return true;
    }
    if (abbreviates(first.text, "ENDDEFINE", 5)) {
        context.object = context.outer;
        context.in_class = false;
        context.method.clear();
        context.method_line = 0;
        return true;
    }
    if (abbreviates(first.text, "ENDPROC", 6) || abbreviates(first.text, "ENDFUNC", 5)) {
        context.method.clear();
        context.method_line = 0;
        return true;
    }
    if (const auto name = routine(line)) {
        context.method = std::string(*name);
        context.method_line = command.line;
        if (!context.in_class && name->find('.') == npos) found.functions.emplace_back(*name);
        return true;
    }
    return false;
}

}  // namespace

CodeScan scan_code(std::string_view code, const CodePlace &place) {
    CodeScan found;
    Context context;
    context.outer = context.object = place.object;
    CommandLines commands(code);
    for (CommandLine command; commands.next(command);) {
        if (follow(context, command, found)) continue;
        std::optional<Command> recognised = recognise(command.text);
        if (!recognised) continue;
        Statement statement;
        statement.kind = recognised->kind;
        statement.line = place.lines_in_method && context.method_line ? command.line - context.method_line
                                                                        : command.line + place.first_line - 1;
        statement.object = context.object;
        statement.method = context.method;
        statement.convertible = std::string(recognised->convertible);
        statement.table = std::string(recognised->table);
        statement.macros = std::move(recognised->macros);
        statement.problem = std::move(recognised->problem);
        statement.command = std::move(command.text);
        found.statements.push_back(std::move(statement));
    }
    return found;
}

}  // namespace tarnvel::scan
