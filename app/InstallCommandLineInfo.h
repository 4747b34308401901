#pragma once
// The program's command line: `-InfPath` (or `/InfPath`, any letter case) followed by the
// launcher directory, optionally in double quotes. `-RegisterPackages` followed by the packages'
// selectors asks the program, started elevated by a running menu, to register those driver
// packages and nothing else; that copy accepts nothing else on its command line. Every other
// argument is ignored by the menu.

#include "framework/CommandLineInfo.h"

#include <string>
#include <vector>

// The flag of the launcher directory, without its '-' or '/'; the relaunch writes it too.
inline constexpr char kInfPathFlag[] = "InfPath";

class CInstallCommandLineInfo : public CCommandLineInfo {
public:
    void ParseParam(const std::string& param, bool bFlag, bool bLast) override;

    std::string m_strLastFlag;            // the last recognised flag as written, without '-' or '/'
    std::string m_strInfPath;             // the launcher directory, ending in a backslash once set
    bool m_bRegisterPackages = false;     // the switch of the elevated copy was given
    std::vector<std::string> m_arguments; // every argument in order, a flag with '-' before it
};
