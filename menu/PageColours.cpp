#include "menu/PageColours.h"

namespace colours {

PageColours DesignColours() {
    PageColours design;
    design.entry.text = Rgb(255, 255, 255);
    design.hotEntry.text = Rgb(255, 255, 255);
    design.hotEntry.shadow = Rgb(127, 127, 127);
    design.hotEntry.underline = Rgb(255, 255, 0);
    design.help.text = Rgb(62, 89, 126);
    design.help.shadow = Rgb(255, 255, 255);
    return design;
}

namespace {

// Solid `back` with `text` and a frame and, where wanted, an underline in the text's colour:
// no shadow, which would blur the contrast the user asked for.
AreaColours Solid(Colour text, Colour back, bool underline) {
    AreaColours area;
    area.picture = false;
    area.fill = back;
    area.text = text;
    area.frame = text;
    if (underline) {
        area.underline = text;
    }
    return area;
}

} // namespace

PageColours ChoosePageColours(bool highContrast, const SystemColours& system) {
    if (!highContrast) {
        return DesignColours();
    }
    return {Solid(system.windowText, system.window, false),
            Solid(system.highlightText, system.highlight, true),
            Solid(system.windowText, system.window, false)};
}

} // namespace colours
