// Builds the two files of a form or class library as FoxPro writes them: a table (one record per
// object, its method code in the METHODS memo) and its memo file of 64-byte blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scantest {

struct FormRecord {
    std::string objname;
    std::string parent;
    std::string methods;
    bool deleted = false;
};

struct FormFiles {
    std::string table;  // .scx / .vcx
    std::string memo;   // .sct / .vct
};

inline void put_low_first(std::string &out, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline void put_high_first(std::string &out, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out[at + i] = static_cast<char>((value >> (8 * (size - 1 - i))) & 0xFF);
}

// 'digit_references': memo references written as ten digits, as older tables have them.
inline FormFiles build_form(const std::vector<FormRecord> &records, bool digit_references = false) {
    constexpr std::uint32_t block = 64;
    FormFiles files;
    files.memo.assign(512, '\0');
    put_high_first(files.memo, 6, block, 2);
    auto add_memo = [&](const std::string &text) -> std::uint32_t {
        if (text.empty()) return 0;
        const auto number = static_cast<std::uint32_t>(files.memo.size() / block);
        std::string header(8, '\0');
        put_high_first(header, 0, 1, 4);
        put_high_first(header, 4, static_cast<std::uint32_t>(text.size()), 4);
        files.memo += header + text;
        files.memo.append((block - files.memo.size() % block) % block, '\0');
        return number;
    };

    struct Field {
        const char *name;
        char type;
        int length;
    };
    const int memo_length = digit_references ? 10 : 4;
    const std::vector<Field> fields = {{"PLATFORM", 'C', 8}, {"UNIQUEID", 'C', 10}, {"OBJNAME", 'M', memo_length},
                                       {"PARENT", 'M', memo_length}, {"METHODS", 'M', memo_length}};
    const std::size_t header_length = 32 + 32 * fields.size() + 1 + 263;
    std::size_t record_length = 1;
    for (const Field &f : fields) record_length += static_cast<std::size_t>(f.length);
    files.table.assign(header_length, '\0');
    files.table[0] = '\x30';
    put_low_first(files.table, 4, static_cast<std::uint32_t>(records.size()), 4);
    put_low_first(files.table, 8, static_cast<std::uint32_t>(header_length), 2);
    put_low_first(files.table, 10, static_cast<std::uint32_t>(record_length), 2);
    std::size_t offset = 1;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t at = 32 + 32 * i;
        files.table.replace(at, std::char_traits<char>::length(fields[i].name), fields[i].name);
        files.table[at + 11] = fields[i].type;
        put_low_first(files.table, at + 12, static_cast<std::uint32_t>(offset), 4);
        files.table[at + 16] = static_cast<char>(fields[i].length);
        offset += static_cast<std::size_t>(fields[i].length);
    }
    files.table[32 + 32 * fields.size()] = '\r';
    for (const FormRecord &r : records) {
        std::string row = r.deleted ? "*" : " ";
        row += "WINDOWS " + std::string("_0AB12CD3E");
        for (const std::string *memo : {&r.objname, &r.parent, &r.methods}) {
            const std::uint32_t number = add_memo(*memo);
            if (digit_references) {
                const std::string digits = number ? std::to_string(number) : "";
                row += std::string(10 - digits.size(), ' ') + digits;
            } else {
                std::string reference(4, '\0');
                put_low_first(reference, 0, number, 4);
                row += reference;
            }
        }
        files.table += row;
    }
    files.table += '\x1a';
    put_high_first(files.memo, 0, static_cast<std::uint32_t>(files.memo.size() / block), 4);
    return files;
}

}  // namespace scantest
