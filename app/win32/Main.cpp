// The one application object of the program.

#include "app/win32/InstallApp.h"

CInstallApp theApp;
