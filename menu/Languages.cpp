#include "menu/Languages.h"

#include "framework/text/CodePages.h"
#include "res/resource.h"

namespace languages {

namespace {

struct Language {
    const char* fileSuffix;
    const char* code;
    unsigned nameTextId;
    const char* setupSwitch;
    unsigned codePage;
};

// In chooser order. Italiano and Español have their names' texts the other way round.
const Language kLanguages[kCount] = {
    {"", "ENU", IDS_LANGUAGE_ENGLISH, " -l0009", text::kWesternEuropean},
    {"40c", "FRA", IDS_LANGUAGE_FRENCH, " -l040c", text::kWesternEuropean},
    {"407", "DEU", IDS_LANGUAGE_GERMAN, " -l0007", text::kWesternEuropean},
    {"410", "ITA", IDS_LANGUAGE_ITALIAN, " -l0010", text::kWesternEuropean},
    {"40a", "ESP", IDS_LANGUAGE_SPANISH, " -l000a", text::kWesternEuropean},
    {"804", "CHN", IDS_LANGUAGE_CHINESE, " -l0804", text::kSimplifiedChinese},
};

const Language& Get(int index) {
    return kLanguages[IsValid(index) ? index : kEnglish];
}

} // namespace

bool IsValid(int index) {
    return index >= 0 && index < kCount;
}

std::string FileSuffix(int index) {
    return Get(index).fileSuffix;
}

std::string Code(int index) {
    return Get(index).code;
}

unsigned NameTextId(int index) {
    return Get(index).nameTextId;
}

unsigned CodePage(int index) {
    return Get(index).codePage;
}

std::string SetupSwitch(int index) {
    return Get(index).setupSwitch;
}

} // namespace languages
