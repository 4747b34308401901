#include "framework/CommandLineInfo.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The program's path ends at the first blank, or is everything between a leading quote and
// the next one; backslashes are taken literally there.
std::string::size_type SkipProgramPath(const std::string& line, std::vector<std::string>& args) {
    std::string::size_type i = 0;
    std::string path;
    if (i < line.size() && line[i] == '"') {
        ++i;
        while (i < line.size() && line[i] != '"') {
            path += line[i++];
        }
        if (i < line.size()) {
            ++i;
        }
    } else {
        while (i < line.size() && !IsBlank(line[i])) {
            path += line[i++];
        }
    }
    args.push_back(path);
    return i;
}

} // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> args;
    auto i = SkipProgramPath(commandLine, args);
    const auto n = commandLine.size();
    for (;;) {
        while (i < n && IsBlank(commandLine[i])) {
            ++i;
        }
        if (i >= n) {
            return args;
        }
        std::string arg;
        bool quoted = false;
        while (i < n && (quoted || !IsBlank(commandLine[i]))) {
            std::string::size_type backslashes = 0;
            while (i < n && commandLine[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < n && commandLine[i] == '"') {
                arg.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    arg += '"';
                } else if (quoted && i + 1 < n && commandLine[i + 1] == '"') {
                    arg += '"'; // a doubled quote inside quotes stands for one
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                arg.append(backslashes, '\\');
                if (i < n && (quoted || !IsBlank(commandLine[i]))) {
                    arg += commandLine[i++];
                }
            }
        }
        args.push_back(arg);
    }
}

void ParseCommandLine(const std::string& commandLine, CCommandLineInfo& info) {
    const auto args = SplitCommandLine(commandLine);
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool flag = !arg.empty() && (arg[0] == '-' || arg[0] == '/');
        info.ParseParam(flag ? arg.substr(1) : arg, flag, i + 1 == args.size());
    }
}
