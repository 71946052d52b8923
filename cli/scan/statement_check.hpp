// A found statement converted for the target, and what keeps it from running there as it is.
#pragma once

#include "scan_report.hpp"

#include "encoding.hpp"
#include "scan/code_scan.h"

#include <tarnvel/host.hpp>
#include <tarnvel/residue.hpp>

#include <string>
#include <vector>

namespace tarnvel::cli::scan {

class StatementCheck {
public:
    // The statements' bytes are in 'encoding''s code page and go to the library as they are;
    // 'user_functions' are the routines the scanned code defines.
    StatementCheck(Host &host, Target target, const Encoding &encoding, std::vector<std::string> user_functions);

    // SELECT commands lose their FoxPro destinations first, as an application strips them before
    // it sends a statement to a server; a statement with macro substitution is not converted.
    StatementReport check(const std::string &file, const tarnvel::scan::Statement &statement);

private:
    std::string text(std::string_view bytes) const { return encoding_.readable(bytes); }
    void convert(StatementReport &report, const tarnvel::scan::Statement &statement);
    // A finding at its offset in 'in' (the library's bytes).
    void add(StatementReport &report, const ResidueFinding &finding, Where where, std::string_view in) const;

    Host &host_;
    Target target_;
    const Encoding &encoding_;
    std::vector<std::string> user_functions_;
};

}  // namespace tarnvel::cli::scan
