#pragma once
// One entry of a menu page, as its configuration file describes it.

#include "framework/Object.h"

#include <memory>
#include <string>
#include <vector>

class CMenuItem : public CObject {
public:
    // What a click on the entry does.
    enum Type : int {
        kTypeNone = -1,   // a type the file gave outside 0 to 3: the entry does nothing
        kTypeExecute = 0, // open a program or document, or a special entry
        kTypeSubPage = 1, // open the menu page named by m_strExecute
        kTypeClose = 2,   // close the page
        kTypeUsb = 3,     // the USB driver entry
    };

    std::string m_strText; // drawn in the entry
    int m_nType = kTypeExecute;
    std::string m_strExecute; // path on the medium, keyword or section name
    std::string m_strTitle;   // the help text (MenuItemTitle), not a caption; a backslash
                              // separates its lines
    std::string m_strDiskId;  // file whose presence proves the right disc
};

// The menu model of a page, in file order; list position = entry index.
using MenuItemList = std::vector<std::unique_ptr<CMenuItem>>;
