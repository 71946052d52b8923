#include "variants.h"

#include "field_variant_rules.h"
#include "variant_rules.h"
#include "variant_tokens.h"

#include <map>
#include <ostream>

namespace validity {

namespace {

constexpr std::string_view prefix = "variants:";

std::string target_at(std::size_t i) { return std::string(tarnvel::target_name(targets[i])); }

std::string residue_text(const TargetOutcome &t) {
    if (!t.output) return "converter error: " + t.error;
    std::string out = "residue: ";
    for (std::size_t i = 0; i < t.residue.size(); ++i)
        out += (i ? ", " : "") + std::string(t.residue[i].construct) + " " + t.residue[i].text;
    return out;
}

std::string rejection(const EngineVerdict &v, bool pgsql) {
    if (!v.asked) return "not asked: the converter failed";
    if (pgsql) return v.state + ": " + v.message;
    return std::to_string(v.code) + ": " + compact_message(v.code, v.message);
}

// The DEFAULT and CHECK clauses of a converted field list (outside its string literals).
std::size_t clause_count(const std::string &output) {
    std::size_t count = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < output.size(); ++i) {
        if (output[i] == '\'') quoted = !quoted;
        if (!quoted && (output.compare(i, 9, " DEFAULT ") == 0 || output.compare(i, 7, "CHECK (") == 0)) ++count;
    }
    return count;
}

}  // namespace

VariantsSource::VariantsSource(const std::string &selects)
    : name_("variants"), originals_("selects", tarnvel::ConvertedText::select, selects, "sql"), rules_(variant_rules()) {}

VariantsSource::VariantsSource(const std::string &path, tarnvel::ConvertedText kind)
    : name_(kind == tarnvel::ConvertedText::select ? "variants" : "fieldvariants"),
      originals_(kind == tarnvel::ConvertedText::select ? "selects" : "fieldlists", kind, path,
                 kind == tarnvel::ConvertedText::select ? "sql" : "fields"),
      rules_(kind == tarnvel::ConvertedText::select ? variant_rules() : field_variant_rules()) {}

std::optional<Statement> VariantsSource::next() {
    const std::vector<VariantRule> &rules = rules_;
    while (true) {
        if (!original_ || rule_ >= rules.size()) {
            original_ = originals_.next();
            rule_ = 0;
            if (!original_) return std::nullopt;
            joined_ = joined_lines(original_->text);
        }
        const VariantRule &rule = rules[rule_++];
        if (std::optional<std::string> text = rule.rewrite ? rule.rewrite(joined_) : std::nullopt)
            return Statement{std::string(prefix) + original_->origin + "/" + std::string(rule.name), std::move(*text)};
    }
}

std::optional<std::string> variant_original(const std::string &origin) {
    const std::size_t slash = origin.rfind('/');
    if (origin.rfind(prefix, 0) != 0 || slash == std::string::npos || slash <= prefix.size()) return std::nullopt;
    return origin.substr(prefix.size(), slash - prefix.size());
}

std::vector<WorseVariant> worse_variants(const std::vector<Outcome> &variants, const std::vector<Outcome> &originals,
                                         bool clauses, std::optional<std::string> (*original_of)(const std::string &)) {
    std::map<std::string, const Outcome *> by_origin;
    for (const Outcome &o : originals) by_origin[o.statement.origin] = &o;
    std::vector<WorseVariant> out;
    for (const Outcome &v : variants) {
        const std::optional<std::string> origin = original_of(v.statement.origin);
        auto found = origin ? by_origin.find(*origin) : by_origin.end();
        if (found == by_origin.end()) continue;
        const Outcome &o = *found->second;
        WorseVariant worse{&v, &o, {}};
        if (o.accepted() && !v.accepted()) worse.losses.push_back("mysql rejected " + rejection(v.engine, false));
        if (o.pg_accepted() && !v.pg_accepted()) worse.losses.push_back("pgsql rejected " + rejection(v.pg_engine, true));
        for (std::size_t i = 0; i < targets.size(); ++i) {
            if (o.targets[i].residue_free() && !v.targets[i].residue_free())
                worse.losses.push_back(target_at(i) + " " + residue_text(v.targets[i]));
            const std::optional<std::string> &was = o.targets[i].output, &is = v.targets[i].output;
            if (clauses && was && is && clause_count(*is) < clause_count(*was))
                worse.losses.push_back(target_at(i) + " lost a DEFAULT or CHECK: " + *is);
        }
        if (!worse.losses.empty()) out.push_back(std::move(worse));
    }
    return out;
}

Figure as_good_figure(const std::string &source, const std::vector<Outcome> &variants,
                      const std::vector<WorseVariant> &worse) {
    return {source + " as good as their originals", variants.size() - worse.size(), variants.size()};
}

void print_worse(std::ostream &out, const std::vector<WorseVariant> &worse, bool details, const char *label) {
    for (const WorseVariant &w : worse) {
        for (const std::string &loss : w.losses) out << w.variant->statement.origin << " worse: " << loss << "\n";
        if (!details) continue;
        for (const Outcome *o : {w.original, w.variant}) {
            out << "    " << (o == w.original ? "original" : label) << " foxpro: " << o->statement.text << "\n";
            for (std::size_t i = 0; i < targets.size(); ++i) {
                if (o->targets[i].output) out << "      " << target_at(i) << ": " << *o->targets[i].output << "\n";
            }
        }
    }
}

}  // namespace validity
