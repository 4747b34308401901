#pragma once
// Where the manuals of a language lie: the documentation folder of the language on the medium
// and the manuals list page in its HTML folder.

#include "manuals/DocumentServices.h"

#include <string>

namespace manuals {

// The folder of a language's documents: launcher directory + "Documentation\" + language
// name. The launcher directory ends in a backslash (or is empty: then the path is relative).
std::string DocumentDir(const std::string& launcherDir, const std::string& languageName);

// The manuals list page of a language: its document folder + "\HTML\manulist.htm".
std::string ListPage(const std::string& launcherDir, const std::string& languageName);

// Whether the list page is there (a find-file search: a folder of that name counts, and
// wildcards act as wildcards). When it is not, says so in a message box owned by `owner`
// that names the path, and returns false.
bool CheckListPage(const DocumentServices& services, platform::WindowRef owner,
                   const std::string& page);

} // namespace manuals
