#pragma once
// Version texts such as 5.50.4807.2300.

#include <string>

// Compares two dotted version texts number by number; a missing number counts as 0, so 11.0
// is newer than 5.50.4807.2300. Returns <0, 0 or >0. A text that is not a dotted version is
// older than every version.
int CompareDottedVersions(const std::string& a, const std::string& b);

// Whether `text` is a dotted version: numbers separated by single dots.
bool IsDottedVersion(const std::string& text);
