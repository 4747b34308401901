#pragma once
// The About box of a menu page.

#include "framework/win32/Dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
