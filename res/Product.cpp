// The product's registry names, from the brand the program is built from: ProductNames.inc is
// written at build time from the brand folder's brand.ini over res/brand.ini
// (cmake/ConfigureBrand.cmake). A program built for another brand compiles this file again.

#include "res/Product.h"

#include "ProductNames.inc"

namespace product {

const char kInstallKey[] = DISCMENU_INSTALL_KEY;
const char kFolderValue[] = DISCMENU_FOLDER_VALUE;
const char kOptionsKey[] = DISCMENU_VERSION_KEY;
const char kRequiredVersion[] = DISCMENU_REQUIRED_VERSION;
const char* const kForcedLanguageKeys[kForcedLanguageKeyCount] = {DISCMENU_LANGUAGE_KEY,
                                                                  DISCMENU_LANGUAGE_KEY2};

} // namespace product
