#pragma once
// The program file's resources through the system's own functions: what the brand tool reads
// from the program to brand (LoadLibraryEx as a data file) and its writing of the resources
// (BeginUpdateResource, UpdateResource, EndUpdateResource: all of them or none).

#include "brand/BrandResources.h"

#include <optional>
#include <string>
#include <vector>

namespace brand {

// A failure: what was being done, and the system's error code.
struct SystemFailure {
    std::string what;
    unsigned long code = 0;
};

// What the program file `path` carries that the brand builds on: its manifest and the images
// of its icon group; a failure when it cannot be loaded or has no manifest.
std::optional<Program> ReadProgram(const std::wstring& path, SystemFailure& failure);

// Writes `resources` into the program file `path` in the language of the program's resources
// (US English); false, with the file as it was, when any of them cannot be written.
bool WriteResources(const std::wstring& path, const std::vector<Resource>& resources,
                    SystemFailure& failure);

// The system's text for the error `code`, in UTF-8.
std::string SystemErrorText(unsigned long code);

} // namespace brand
