#pragma once
// Command-line parsing: the command line is split into arguments as the C runtime does, and
// each argument after the program's path is handed to ParseParam in order.

#include <string>
#include <vector>

class CCommandLineInfo {
public:
    CCommandLineInfo() = default;
    CCommandLineInfo(const CCommandLineInfo&) = default;
    CCommandLineInfo& operator=(const CCommandLineInfo&) = default;
    virtual ~CCommandLineInfo() = default;

    // One argument. A flag (an argument beginning with '-' or '/') arrives without that first
    // character and with `bFlag` set; `bLast` marks the last argument.
    virtual void ParseParam(const std::string& param, bool bFlag, bool bLast) = 0;
};

// Splits a whole command line (program path first) into arguments by the rules of the
// Microsoft C runtime: blanks separate arguments, double quotes group them, and backslashes
// escape a double quote only when they precede one.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// Calls info.ParseParam for every argument after the program's path.
void ParseCommandLine(const std::string& commandLine, CCommandLineInfo& info);
