// Command-line parsing (framework/CommandLineInfo.h, app/InstallCommandLineInfo.h) over any
// command line: the arguments, quoted again by the C runtime's rules, split back to the same;
// every argument after the program's path reaches ParseParam in order; and -InfPath takes the
// last plain argument after it as the directory, without its quotes and ending in a backslash.

#include "FuzzSupport.h"
#include "app/InstallCommandLineInfo.h"
#include "framework/CommandLineInfo.h"
#include "framework/text/StringUtil.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Param {
    std::string text;
    bool flag;
    bool last;
};

class CRecordingCommandLineInfo : public CCommandLineInfo {
public:
    void ParseParam(const std::string& param, bool bFlag, bool bLast) override {
        m_params.push_back({param, bFlag, bLast});
    }
    std::vector<Param> m_params;
};

// An argument in double quotes, its quotes and the backslashes before them escaped.
std::string Quote(const std::string& argument) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + "\"";
}

// A command line that splits into `arguments`. The program's path holds a quote only when it
// was written without quotes, and then it holds no blank either.
std::string Join(const std::vector<std::string>& arguments) {
    const std::string& path = arguments.front();
    std::string line = path.find('"') == std::string::npos ? "\"" + path + "\"" : path;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        line += " " + Quote(arguments[i]);
    }
    return line;
}

bool IsFlag(const std::string& argument) {
    return !argument.empty() && (argument[0] == '-' || argument[0] == '/');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line = fuzz::Bytes(data, size);
    const std::vector<std::string> arguments = SplitCommandLine(line);
    fuzz::Check(!arguments.empty(), "there is always a program path");
    std::size_t total = 0;
    for (const std::string& argument : arguments) {
        total += argument.size();
    }
    fuzz::Check(total <= line.size(), "the arguments are no longer than the line");
    fuzz::Check(SplitCommandLine(Join(arguments)) == arguments,
                "the arguments quoted again split back to the same");

    CRecordingCommandLineInfo recorded;
    ParseCommandLine(line, recorded);
    fuzz::Check(recorded.m_params.size() + 1 == arguments.size(), "every argument is handed on");
    for (std::size_t i = 0; i < recorded.m_params.size(); ++i) {
        const std::string& argument = arguments[i + 1];
        const Param& param = recorded.m_params[i];
        fuzz::Check(param.flag == IsFlag(argument), "a flag starts with - or /");
        fuzz::Check(param.text == (param.flag ? argument.substr(1) : argument),
                    "a flag arrives without its first character, anything else as it is");
        fuzz::Check(param.last == (i + 1 == recorded.m_params.size()), "only the last is last");
    }

    CInstallCommandLineInfo info;
    ParseCommandLine(line, info);
    bool afterFlag = false;
    std::string directory;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (IsFlag(arguments[i])) {
            afterFlag = afterFlag || text::EqualsNoCase(arguments[i].substr(1), "InfPath");
        } else if (afterFlag) {
            directory = arguments[i];
            const auto first = directory.find_first_not_of('"');
            directory.erase(0, first == std::string::npos ? directory.size() : first);
            directory.erase(directory.find_last_not_of('"') + 1);
            directory += text::EndsWith(directory, '\\') ? "" : "\\";
        }
    }
    fuzz::Check(info.m_strInfPath == directory,
                "the last plain argument after -InfPath is the directory, quotes removed");
    fuzz::Check(info.m_strLastFlag.empty() || text::EqualsNoCase(info.m_strLastFlag, "InfPath"),
                "only InfPath is a flag of the program");
    return 0;
}
