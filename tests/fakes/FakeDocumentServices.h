#pragma once
// The platform the documentation viewer talks to, as fakes.

#include "manuals/DocumentServices.h"
#include "fakes/FakePlatform.h"

namespace fakes {

struct FakeDocumentServices {
    FakeShell shell;
    FakeUserInterface ui;
    FakeStringTable strings;
    FakeFileSystem files;
    DocumentServices Get() { return {shell, ui, strings, files}; }
};

} // namespace fakes
