#pragma once
// How wide the page draws a text: the entries in bold Arial of 14 pixels, the help strip in
// Arial of 12 pixels, each text in the face the page takes for it (for a text that Arial has
// no glyphs for, the page's Chinese face).

#include <string>
#include <vector>

namespace check {

enum class TextStyle {
    Entry, // one line; an '&' marks the next character as a mnemonic and is not drawn ("&&": '&')
    Help,  // lines separated by line feeds, drawn as they stand
};

class ITextWidths {
public:
    virtual ~ITextWidths() = default;

    // The width in pixels of each line of `text` (UTF-8) drawn in `style`. The face is chosen
    // for the whole text, as the page chooses it.
    virtual std::vector<int> LineWidths(TextStyle style, const std::string& text) = 0;
};

} // namespace check
