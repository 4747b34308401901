#pragma once
// Root of the program's own object classes: deletable through a base pointer.

class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    virtual ~CObject() = default;
};
