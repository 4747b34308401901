#include "menu/win32/AboutDlg.h"

#include "res/Product.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    GetDlgItem(IDC_ABOUT_COPYRIGHT).SetText("Copyright (C) " + product::CurrentBrand().company);
    return TRUE;
}
