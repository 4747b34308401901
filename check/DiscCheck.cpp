#include "check/DiscCheck.h"

#include "check/Checking.h"
#include "check/ShippableDisc.h"

#include <utility>

namespace check {

Report CheckDisc(const IDiscFiles& files, ITextWidths& widths, const ShippingOptions& shipping) {
    Checking check(files, widths);
    CheckLanguages(check);
    CheckDiscPrompts(check);
    CheckAutorun(check);
    Report& report = check.report;
    for (Finding& finding : CheckShipping(files, shipping)) {
        report.findings.push_back(std::move(finding));
    }
    for (const Finding& finding : report.findings) {
        ++(finding.severity == Severity::Error     ? report.errors
           : finding.severity == Severity::Warning ? report.warnings
                                                   : report.notes);
    }
    return std::move(report);
}

int ExitStatus(const Report& report) {
    return report.errors > 0 ? 2 : report.warnings > 0 ? 1 : 0;
}

} // namespace check
