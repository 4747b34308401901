#include "menu/PageColours.h"

namespace colours {

PageColours DesignColours(const TextColours& text) {
    PageColours design;
    design.entry.text = text.entry;
    design.hotEntry.text = text.hotEntry;
    design.hotEntry.shadow = Rgb(127, 127, 127);
    design.hotEntry.underline = Rgb(255, 255, 0);
    design.help.text = text.help;
    design.help.shadow = Rgb(255, 255, 255);
    design.label = text.label;
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

PageColours ChoosePageColours(bool highContrast, const SystemColours& system,
                              const TextColours& text) {
    if (!highContrast) {
        return DesignColours(text);
    }
    return {Solid(system.windowText, system.window, false),
            Solid(system.highlightText, system.highlight, true),
            Solid(system.windowText, system.window, false), system.windowText};
}

} // namespace colours
