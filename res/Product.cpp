// The product's registry names, from the brand the program is built from: ProductNames.inc is
// written at build time from the brand folder's brand.ini over res/brand.ini
// (cmake/ConfigureBrand.cmake). A program built for another brand compiles this file again.

#include "res/Product.h"

#include "ProductNames.inc"
#include "platform/portable/RegistryViews.h"

namespace product {

const char kInstallKey[] = DISCMENU_INSTALL_KEY;
const char kFolderValue[] = DISCMENU_FOLDER_VALUE;
const char kOptionsKey[] = DISCMENU_VERSION_KEY;
const char kRequiredVersion[] = DISCMENU_REQUIRED_VERSION;
const char* const kForcedLanguageKeys[kForcedLanguageKeyCount] = {DISCMENU_LANGUAGE_KEY,
                                                                  DISCMENU_LANGUAGE_KEY2};
const char kRegistryView[] = DISCMENU_REGISTRY_VIEW;

std::vector<platform::RegistryView> RegistryViews(const platform::IRegistry& registry) {
    // The build refuses a brand whose View= is none of the choices.
    const auto choice = registry_views::ParseChoice(kRegistryView);
    return registry_views::SearchOrder(registry.HasTwoViews(),
                                       choice.value_or(registry_views::Choice::Both));
}

} // namespace product
