#pragma once
// The program's command line: `-InfPath` (or `/InfPath`, any letter case) followed by the
// launcher directory, optionally in double quotes. Every other argument is ignored.

#include "framework/CommandLineInfo.h"

#include <string>

class CInstallCommandLineInfo : public CCommandLineInfo {
public:
    void ParseParam(const std::string& param, bool bFlag, bool bLast) override;

    std::string m_strLastFlag; // the last recognised flag as written, without '-' or '/'
    std::string m_strInfPath;  // the launcher directory, ending in a backslash once set
};
