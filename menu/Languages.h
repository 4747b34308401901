#pragma once
// The six installation languages, by language index (the item data of the language chooser).

#include <string>

namespace languages {

constexpr int kCount = 6;
constexpr int kEnglish = 0;

// Whether `index` names a language; any other value, such as the chooser's answer when
// nothing is selected, stands for English where a language is needed.
bool IsValid(int index);

// The suffix of the language's configuration file name: the Windows language identifier in
// lower-case hexadecimal ("40c" for French); empty for English, whose file is Inst.inf.
std::string FileSuffix(int index);

// "ENU", "FRA", "DEU", "ITA", "ESP", "CHN".
std::string Code(int index);

// The built-in text that holds the language's display name (4 to 9).
unsigned NameTextId(int index);

// The code page the language's configuration file is written in: 936 for Chinese, 1252 for
// the others (and for any index that names no language).
unsigned CodePage(int index);

// The switch that tells a setup program its language, with its leading blank (" -l0009").
std::string SetupSwitch(int index);

} // namespace languages
