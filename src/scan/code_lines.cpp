#include "scan/code_lines.h"

#include "scan/foxpro_text.h"

namespace tarnvel::scan {
namespace {

std::string_view trim_left(std::string_view text) {
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view trim_right(std::string_view text) {
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool continues(std::string_view line) {
    line = trim_right(line);
    return !line.empty() && line.back() == ';';
}

// A comment line that "*" or the word NOTE starts: a ";" at its end continues it.
bool comment_line(std::string_view line) {
    line = trim_left(line);
    if (line.starts_with("*")) return true;
    const Word first = word_at(line, 0);
    return first.text.size() == 4 && abbreviates(first.text, "NOTE");
}

bool first_word_is(std::string_view line, std::string_view full, std::size_t shortest) {
    return abbreviates(word_at(line, 0).text, full, shortest);
}

// TEXT as a command, not a variable or an object named text (text = 1, text.Value = 2, text[1] = 3).
bool opens_text_block(std::string_view command) {
    const Word first = word_at(command, 0);
    if (first.text.size() != 4 || !abbreviates(first.text, "TEXT")) return false;
    std::size_t next = first.end;
    while (next < command.size() && blank(command[next])) ++next;
    return next == command.size() || std::string_view("=.[(").find(command[next]) == npos;
}

}  // namespace

PhysicalLines::PhysicalLines(std::string_view text) : rest_(text) {
    while (!rest_.empty() && rest_.back() == '\x1a') rest_.remove_suffix(1);
}

bool PhysicalLines::next(std::string_view &line) {
    if (rest_.empty()) return false;
    const std::size_t end = rest_.find_first_of("\r\n");
    line = rest_.substr(0, end);
    if (end == npos) rest_ = {};
    else rest_.remove_prefix(end + (rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n' ? 2 : 1));
    ++number_;
    return true;
}

bool CommandLines::next(CommandLine &command) {
    std::string_view line;
    while (lines_.next(line)) {
        if (comment_line(line)) {
            while (continues(line) && lines_.next(line)) {
            }
            continue;
        }
        command.line = lines_.number();
        command.text.clear();
        std::string_view code = without_comment(line);
        while (continues(code)) {
            code = trim_right(code);
            command.text.append(code.substr(0, code.size() - 1)).push_back(' ');
            if (!lines_.next(line)) {
                code = {};
                break;
            }
            code = trim_left(without_comment(line));
        }
        command.text.append(code);
        const std::string_view text = trim_right(trim_left(command.text));
        if (text.empty()) continue;
        if (text.size() != command.text.size()) command.text = std::string(text);
        // TEXT ... ENDTEXT holds text, not commands
        if (opens_text_block(command.text)) {
            while (lines_.next(line) && !first_word_is(line, "ENDTEXT", 4)) {
            }
            continue;
        }
        return true;
    }
    return false;
}

}  // namespace tarnvel::scan
