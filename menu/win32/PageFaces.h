#pragma once
// The drawn faces of a page's entries and help strip, kept as bitmaps: a hover then repaints
// by copying pixels, instead of loading the pictures and laying out the texts again each time.
// A face is known by what it shows (its kind, size and text), so a language change needs no
// bookkeeping; the faces go when the page closes, or all at once when the display changes.
// Showing a face that is kept allocates nothing and calls nothing of the system but the copy.

#include "framework/win32/Gdi.h"
#include "menu/Geometry.h"

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

class CPageFaces {
public:
    // Draws on a device context whose coordinates are the window's: a reference to a callable
    // that the caller keeps alive for the call, so that passing one allocates nothing.
    class Painter {
    public:
        template <typename Paint>
        Painter(const Paint& paint) // NOLINT(google-explicit-constructor): passed as a lambda
            : m_paint(&paint),
              m_call([](const void* p, HDC dc) { (*static_cast<const Paint*>(p))(dc); }) {}
        void operator()(HDC dc) const { m_call(m_paint, dc); }

    private:
        const void* m_paint;
        void (*m_call)(const void*, HDC);
    };

    // What a face shows: its kind with the states it is drawn in (the caller's numbering), a
    // number of its layout (the help text's top, say), and its text.
    struct Key {
        int kind;
        int detail;
        std::string_view text;
    };

    // Copies the face known as `key` onto `rect` of `windowDC`, drawing it first with `paint`
    // when it is not kept yet. On a display with a palette the face is drawn straight onto the
    // window, as it needs the palette realised there.
    void Show(HDC windowDC, const Key& key, const geometry::Rect& rect, const Painter& paint);

    // Forgets every face (the display's format or fonts changed).
    void Clear() {
        m_faces.clear();
        m_bPalette.reset();
    }

private:
    // A drawn face, selected into a memory device context of its own for as long as it is
    // kept: selecting a bitmap costs far more than copying it.
    struct Face {
        Face(HDC windowDC, int width, int height);
        CMemoryDC memory;
        CBitmap bitmap;
        CObjectSelection selection;
    };

    // A kept face's key, owning its text; found by a Key and the size without a copy.
    struct StoredKey {
        int kind;
        int detail;
        int width;
        int height;
        std::string text;
    };
    struct Order {
        using is_transparent = void;
        template <typename A, typename B> bool operator()(const A& a, const B& b) const {
            return Tie(a) < Tie(b);
        }
        static auto Tie(const StoredKey& k) {
            return std::make_tuple(k.kind, k.detail, k.width, k.height, std::string_view(k.text));
        }
        static auto Tie(const std::tuple<int, int, int, int, std::string_view>& k) { return k; }
    };

    const Face* Find(HDC windowDC, const Key& key, const geometry::Rect& rect,
                     const Painter& paint);

    std::map<StoredKey, std::unique_ptr<Face>, Order> m_faces;
    std::optional<bool> m_bPalette; // whether the display has a palette, asked once
};
