#include "app/InstallCommandLineInfo.h"

#include "framework/text/StringUtil.h"
#include "usb/ElevatedRegistration.h"

namespace {

// The directory as given, without the double quotes around it and ending in a backslash. A
// quoted directory that ends in a backslash reaches the program with its closing quote taken
// as part of the value (D:\ in quotes arrives as D:"), which this also undoes.
std::string NormaliseDirectory(const std::string& value) {
    const auto first = value.find_first_not_of('"');
    std::string dir = first == std::string::npos ? std::string() : value.substr(first);
    const auto last = dir.find_last_not_of('"');
    dir.erase(last == std::string::npos ? 0 : last + 1);
    if (!text::EndsWith(dir, '\\')) {
        dir += '\\';
    }
    return dir;
}

} // namespace

void CInstallCommandLineInfo::ParseParam(const std::string& param, bool bFlag, bool /*bLast*/) {
    m_arguments.push_back(bFlag ? "-" + param : param);
    if (bFlag) {
        if (text::EqualsNoCase(param, kInfPathFlag)) {
            m_strLastFlag = param;
        } else if (text::EqualsNoCase(param, usb::kRegisterPackagesFlag)) {
            m_strLastFlag = param;
            m_bRegisterPackages = true;
        }
        return;
    }
    if (text::EqualsNoCase(m_strLastFlag, usb::kRegisterPackagesFlag)) {
        return;
    }
    // The last plain argument after the flag wins; plain arguments before it are ignored.
    if (text::EqualsNoCase(m_strLastFlag, kInfPathFlag)) {
        m_strInfPath = NormaliseDirectory(param);
    }
}
