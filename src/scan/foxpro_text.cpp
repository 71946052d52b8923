#include "scan/foxpro_text.h"

namespace tarnvel::scan {

Word word_at(std::string_view text, std::size_t pos) {
    while (pos < text.size() && blank(text[pos])) ++pos;
    std::size_t end = pos;
    while (end < text.size() && name_char(text[end])) ++end;
    return {pos, end, text.substr(pos, end - pos)};
}

bool opens_literal(std::string_view text, std::size_t pos) {
    const char c = text[pos];
    if (c == '\'' || c == '"') return true;
    if (c != '[') return false;
    if (pos == 0) return true;
    const char before = text[pos - 1];
    return !(name_char(before) || before == ')' || before == ']');
}

std::size_t literal_end(std::string_view text, std::size_t pos) {
    const char close = text[pos] == '[' ? ']' : text[pos];
    const std::size_t found = text.find(close, pos + 1);
    return found == npos ? npos : found + 1;
}

std::string_view without_comment(std::string_view line) {
    std::size_t cut = line.size();
    each_code_char(line, [&](std::size_t pos) {
        if (line[pos] == '&' && pos + 1 < line.size() && line[pos + 1] == '&') {
            cut = pos;
            return false;
        }
        return true;
    });
    return line.substr(0, cut);
}

bool has_word(std::string_view text, std::string_view keyword) {
    bool found = false;
    each_code_char(text, [&](std::size_t pos) {
        if (pos > 0 && name_char(text[pos - 1])) return true;
        const Word word = word_at(text, pos);
        found = word.begin == pos && word.text.size() == keyword.size() && abbreviates(word.text, keyword);
        return !found;
    });
    return found;
}

std::vector<std::string> macros(std::string_view text) {
    std::vector<std::string> out;
    each_code_char(text, [&](std::size_t pos) {
        if (text[pos] != '&') return true;
        std::size_t end = pos + 1;
        while (end < text.size() && name_char(text[end])) ++end;
        if (end < text.size() && end > pos + 1 && text[end] == '.') ++end;  // the dot that ends the name
        out.emplace_back(text.substr(pos, end - pos));
        return true;
    });
    return out;
}

}  // namespace tarnvel::scan
