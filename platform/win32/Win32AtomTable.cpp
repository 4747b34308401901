#include "platform/win32/Win32AtomTable.h"

#include <windows.h>

namespace platform {

Atom Win32AtomTable::Find(const std::string& name) const {
    return GlobalFindAtomA(name.c_str());
}

Atom Win32AtomTable::Add(const std::string& name) {
    return GlobalAddAtomA(name.c_str());
}

void Win32AtomTable::Delete(Atom atom) {
    GlobalDeleteAtom(atom);
}

} // namespace platform
