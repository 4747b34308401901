#pragma once
// The About box of a menu page: the program's version and the copyright of the brand's company.

#include "framework/win32/Dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    BOOL OnInitDialog() override;
};
