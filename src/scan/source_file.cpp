#include "scan/source_file.h"

#include "scan/code_lines.h"
#include "scan/foxpro_text.h"
#include "scan/table_file.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace tarnvel::scan {
namespace {

namespace fs = std::filesystem;

struct Extension {
    std::string_view extension;  // lower case, with the dot
    SourceKind kind;
};
constexpr std::array<Extension, 13> extensions{{
    {".prg", SourceKind::program},       {".spr", SourceKind::program},       {".mpr", SourceKind::program},
    {".qpr", SourceKind::program},       {".h", SourceKind::program},         {".sc2", SourceKind::text_export},
    {".vc2", SourceKind::text_export},   {".sca", SourceKind::record_export}, {".vca", SourceKind::record_export},
    {".scx", SourceKind::form_table},    {".vcx", SourceKind::form_table},    {".sct", SourceKind::memo_file},
    {".vct", SourceKind::memo_file},
}};

// A form's table and its memo file.
struct TablePair {
    std::string_view table;
    std::string_view memo;
};
constexpr std::array<TablePair, 2> table_pairs{{{".scx", ".sct"}, {".vcx", ".vct"}}};

std::string lower(std::string text) {
    for (char &c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The file beside 'path' with the extension 'extension' in any letter case.
std::optional<fs::path> beside(const fs::path &path, std::string_view extension) {
    fs::path wanted = path;
    wanted.replace_extension(std::string(extension));
    std::error_code error;
    if (fs::is_regular_file(wanted, error)) return wanted;
    const std::string wanted_name = lower(wanted.filename().string());
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (lower(it->path().filename().string()) == wanted_name && it->is_regular_file(error)) {
            return path.has_parent_path() ? it->path() : it->path().filename();
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> paired(const fs::path &path, bool from_table) {
    const std::string extension = lower(path.extension().string());
    for (const TablePair &pair : table_pairs) {
        if (extension == (from_table ? pair.table : pair.memo)) return from_table ? pair.memo : pair.table;
    }
    return std::nullopt;
}

// The whole file, or what went wrong.
std::optional<std::string> read_bytes(const fs::path &path, std::string &bytes) {
    struct Closer {
        void operator()(std::FILE *file) const { std::fclose(file); }
    };
    errno = 0;
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.string().c_str(), "rb"));
    if (!file) return std::string("cannot open it: ") + std::strerror(errno);
    char block[1 << 16];
    for (;;) {
        const std::size_t n = std::fread(block, 1, sizeof block, file.get());
        bytes.append(block, n);
        if (n < sizeof block) break;
    }
    if (std::ferror(file.get())) return std::string("cannot read it: ") + std::strerror(errno);
    return std::nullopt;
}

void add(SourceFile &file, CodeScan found, std::size_t record = 0) {
    for (Statement &statement : found.statements) {
        statement.record = record;
        file.statements.push_back(std::move(statement));
    }
    for (std::string &name : found.functions) file.functions.push_back(std::move(name));
}

// A record export: the object of each record from its [OBJNAME] and [PARENT], its code between
// [START METHODS] and [END METHODS].
void scan_record_export(SourceFile &file, std::string_view text) {
    PhysicalLines lines(text);
    std::string name, parent;
    for (std::string_view line; lines.next(line);) {
        while (!line.empty() && blank(line.front())) line.remove_prefix(1);
        if (line.starts_with("[OBJNAME]")) name = std::string(word_at(line, 9).text);
        else if (line.starts_with("[PARENT]")) parent = std::string(line.substr(8));
        else if (line.starts_with("[ RECORD]") || line.starts_with("[RECORD]")) name.clear(), parent.clear();
        if (!line.starts_with("[START METHODS]")) continue;
        while (!parent.empty() && blank(parent.back())) parent.pop_back();
        while (!parent.empty() && blank(parent.front())) parent.erase(0, 1);
        const std::size_t first_line = lines.number() + 1;
        const char *begin = nullptr;
        const char *end = nullptr;
        bool closed = false;
        while (lines.next(line)) {
            if (line.starts_with("[END METHODS]")) {
                closed = true;
                break;
            }
            if (!begin) begin = line.data();
            end = line.data() + line.size();
        }
        if (!closed) file.problems.push_back("line " + std::to_string(first_line - 1) + ": [START METHODS] without [END METHODS]");
        if (!begin) continue;
        CodePlace place;
        place.first_line = first_line;
        place.object = parent.empty() ? name : parent + "." + name;
        add(file, scan_code(std::string_view(begin, static_cast<std::size_t>(end - begin)), place));
    }
}

// A field's value as text: a memo's text, or a character field without its trailing blanks.
std::string field_text(const Table &table, const MemoFile &memos, std::size_t record, const TableField *field) {
    if (field == nullptr) return {};
    if (field->type != 'M') return table.text(record, *field);
    const std::uint64_t block = memo_block(table.value(record, *field));
    std::string_view text = block ? memos.memo(block) : std::string_view();
    while (!text.empty() && (text.back() == '\0' || blank(text.back()))) text.remove_suffix(1);
    return std::string(text);
}

// The object's name from OBJNAME or PARENT; a name that cannot be read is reported, and the
// code is read without it.
std::string name_of(SourceFile &file, const Table &table, const MemoFile &memos, std::size_t record, const TableField *field) {
    try {
        return field_text(table, memos, record, field);
    } catch (const TableError &error) {
        file.problems.push_back("record " + std::to_string(record + 1) + ": " + field->name + ": " + error.what());
        return {};
    }
}

// The METHODS memo of every record that is not deleted, its object named by PARENT and OBJNAME.
void scan_methods(SourceFile &file, const Table &table, const MemoFile &memos) {
    const TableField *methods = table.field("METHODS");
    const TableField *objname = table.field("OBJNAME");
    const TableField *parent = table.field("PARENT");
    for (std::size_t r = 0; r < table.records(); ++r) {
        if (table.deleted(r)) continue;
        try {
            const std::uint64_t block = memo_block(table.value(r, *methods));
            if (block == 0) continue;
            const std::string_view code = memos.memo(block);
            const std::string name = name_of(file, table, memos, r, objname);
            const std::string owner = name_of(file, table, memos, r, parent);
            CodePlace place;
            place.object = owner.empty() ? name : name.empty() ? owner : owner + "." + name;
            place.lines_in_method = true;
            add(file, scan_code(code, place), r + 1);
        } catch (const TableError &error) {
            file.problems.push_back("record " + std::to_string(r + 1) + ": " + error.what());
        }
    }
}

void scan_form_table(SourceFile &file, std::string_view bytes, std::optional<std::string_view> memo_bytes) {
    std::optional<Table> table;
    try {
        table.emplace(bytes);
    } catch (const TableError &error) {
        file.problems.push_back(std::string("not a table: ") + error.what());
        return;
    }
    if (table->records() < table->declared_records()) {
        file.problems.push_back("the header says " + std::to_string(table->declared_records()) +
                                " records; the file holds " + std::to_string(table->records()));
    }
    const TableField *methods = table->field("METHODS");
    if (methods == nullptr || methods->type != 'M') {
        file.problems.push_back("no METHODS memo field: not a form or class library with method code");
        return;
    }
    if (!memo_bytes) {
        fs::path memo = file.path;
        memo.replace_extension(std::string(paired(file.path, true).value_or(".fpt")));
        file.problems.push_back("no memo file " + memo.filename().string() + " beside it: its method code cannot be read");
        return;
    }
    try {
        scan_methods(file, *table, MemoFile(*memo_bytes));
    } catch (const TableError &error) {  // the memo file's header
        file.problems.push_back(std::string("its memo file: ") + error.what());
    }
}

}  // namespace

std::optional<SourceKind> source_kind(const fs::path &path) {
    const std::string extension = lower(path.extension().string());
    for (const Extension &row : extensions)
        if (row.extension == extension) return row.kind;
    return std::nullopt;
}

std::optional<fs::path> memo_file_of(const fs::path &table) {
    const auto extension = paired(table, true);
    return extension ? beside(table, *extension) : std::nullopt;
}

std::optional<fs::path> table_of(const fs::path &memo) {
    const auto extension = paired(memo, false);
    return extension ? beside(memo, *extension) : std::nullopt;
}

SourceFile scan_bytes(const fs::path &path, SourceKind kind, std::string_view bytes,
                      std::optional<std::string_view> memo) {
    SourceFile file;
    file.path = path;
    switch (kind) {
    case SourceKind::program:
        add(file, scan_code(bytes));
        if (lower(path.extension().string()) == ".prg") file.functions.push_back(path.stem().string());
        break;
    case SourceKind::text_export:
        add(file, scan_code(bytes));
        file.functions.clear();  // the routines of an export are methods
        break;
    case SourceKind::record_export:
        scan_record_export(file, bytes);
        file.functions.clear();
        break;
    case SourceKind::form_table:
        scan_form_table(file, bytes, memo);
        file.functions.clear();
        break;
    case SourceKind::memo_file:
        file.problems.push_back("a memo file is read with its table, and there is none beside it");
        break;
    }
    return file;
}

SourceFile scan_file(const fs::path &path, SourceKind kind) {
    std::string bytes;
    if (auto error = read_bytes(path, bytes)) {
        SourceFile file;
        file.path = path;
        file.problems.push_back(*error);
        return file;
    }
    if (kind != SourceKind::form_table) return scan_bytes(path, kind, bytes);
    const std::optional<fs::path> memo_path = memo_file_of(path);
    if (!memo_path) return scan_bytes(path, kind, bytes);
    std::string memo;
    if (auto error = read_bytes(*memo_path, memo)) {
        SourceFile file;
        file.path = path;
        file.problems.push_back("its memo file " + memo_path->filename().string() + ": " + *error);
        return file;
    }
    return scan_bytes(path, kind, bytes, std::string_view(memo));
}

}  // namespace tarnvel::scan
