// Where the measured texts come from. A source hands out FoxPro texts one at a time, each with the
// place it came from; the corpus files are one kind of source, the statement generator
// (generated.h) another.
#pragma once

#include <tarnvel/residue.hpp>

#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace validity {

struct Statement {
    std::string origin;  // where it came from, e.g. "selects.jsonl:12" or "generated:#417"
    std::string text;    // the FoxPro text
};

// A table the statements of a source read: its name and its FoxPro field list.
struct TrialTable {
    std::string name;
    std::string fields;
};

class StatementSource {
public:
    virtual ~StatementSource() = default;
    virtual const std::string &name() const = 0;           // "selects", "fieldlists": the figures' first word
    virtual tarnvel::ConvertedText kind() const = 0;       // what the texts are
    virtual std::optional<Statement> next() = 0;           // nullopt at the end
    // Tables to create on the server (with the MySQL structure conversion) before the statements
    // are put to it; none for the corpus, whose tables are unknown.
    virtual std::vector<TrialTable> tables() const { return {}; }
};

// A JSON-lines file whose records carry the text under 'key' ("sql" or "fields"). A line that is
// not such a record is an error (std::runtime_error naming the line).
class JsonLinesSource : public StatementSource {
public:
    JsonLinesSource(std::string name, tarnvel::ConvertedText kind, const std::string &path, std::string key);
    const std::string &name() const override { return name_; }
    tarnvel::ConvertedText kind() const override { return kind_; }
    std::optional<Statement> next() override;

private:
    std::string name_;
    tarnvel::ConvertedText kind_;
    std::string file_;  // the file name shown in origins
    std::string key_;
    std::ifstream in_;
    int line_ = 0;
};

// Every Nth text of another source (the first, the N+1th, ...): a quicker run over the same kinds of
// text, for builds where each conversion costs many times more (the sanitizers).
class SampledSource : public StatementSource {
public:
    SampledSource(std::unique_ptr<StatementSource> all, std::size_t every) : all_(std::move(all)), every_(every) {}
    const std::string &name() const override { return all_->name(); }
    tarnvel::ConvertedText kind() const override { return all_->kind(); }
    std::optional<Statement> next() override;
    std::vector<TrialTable> tables() const override { return all_->tables(); }

private:
    std::unique_ptr<StatementSource> all_;
    std::size_t every_;
};

}  // namespace validity
