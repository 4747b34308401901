// The product's registry names and the colours of its texts, from the brand the program is
// built from: ProductNames.inc and BrandColours.inc are written at build time from the brand
// folder's brand.ini over res/brand.ini (cmake/ConfigureBrand.cmake). A program built for another
// brand compiles this file again.

#include "res/Product.h"

#include "BrandColours.inc"
#include "ProductNames.inc"
#include "platform/registry/RegistryViews.h"

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

const colours::TextColours kTextColours{DISCMENU_ENTRY_TEXT_COLOUR, DISCMENU_ENTRY_HOT_TEXT_COLOUR,
                                        DISCMENU_HELP_TEXT_COLOUR, DISCMENU_LABEL_TEXT_COLOUR};

} // namespace product
