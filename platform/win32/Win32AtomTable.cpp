#include "platform/win32/Win32AtomTable.h"

#include <windows.h>

namespace platform {

namespace {
Result<Atom> AtomOrError(ATOM atom) {
    return atom != 0 ? Result<Atom>::Success(atom) : Result<Atom>::Failure(GetLastError());
}
} // namespace

Result<Atom> Win32AtomTable::Find(const std::string& name) const {
    return AtomOrError(GlobalFindAtomA(name.c_str()));
}

Result<Atom> Win32AtomTable::Add(const std::string& name) {
    return AtomOrError(GlobalAddAtomA(name.c_str()));
}

void Win32AtomTable::Delete(Atom atom) {
    GlobalDeleteAtom(atom);
}

} // namespace platform
