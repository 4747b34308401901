#pragma once
// Facts about this process's program file.

#include <string>

// The full path of the program file (no length limit).
std::string GetModulePath();

// The program file's name without its directory and extension ("Install" for Install.exe).
std::string GetModuleBaseName();
