#pragma once
// Loading of bitmaps and their palettes from the program's resources: its pictures, stored
// compressed (framework/StoredPicture.h) or as plain bitmap resources, converted to bitmaps
// compatible with the screen, backgrounds as device-independent sections, and the logical
// palettes made of their colour tables. Every bitmap and palette is handed to its owner (Gdi.h);
// the caller frees it by letting the owner go.
//
// A stored picture is decoded once, at its first use, and kept decoded for the life of the
// process: a page draws the same few pictures again and again.

#include "framework/win32/Gdi.h"

#include <windows.h>

#include <cstddef>

// The packed bitmap of picture `id`: header, colour table and pixels, as a bitmap resource
// holds them, aligned to 4 bytes. Null when the program carries no such picture or it cannot be
// decoded.
struct PackedDib {
    const void* data;
    std::size_t size;
};
const PackedDib* FindPicture(HINSTANCE instance, UINT id);

// Whether the program carries picture `id`, without decoding it.
bool HasPicture(HINSTANCE instance, UINT id);

// The picture `id` as a bitmap compatible with the screen, with its palette in
// `palette` (null for more than 8 bits per pixel). A null bitmap when there is no such
// resource or it is no bitmap.
CBitmap LoadBitmapResource(HINSTANCE instance, UINT id, CPalette& palette);

// The same from a packed device-independent bitmap in memory: the information header, colour
// masks, colour table and pixels one after the other, as a bitmap resource stores them.
// `dib` must be aligned as a resource is (to 4 bytes).
CBitmap CreateBitmapFromPackedDib(const void* dib, std::size_t size, CPalette& palette);

// The logical palette of a bitmap of at most 8 bits per pixel: one entry per colour in the
// colour table that follows `header` in memory, as in a packed bitmap; `colourCount` receives
// the number of entries. No palette (and a count of 0) for more than 8 bits per pixel.
CPalette CreateBitmapPalette(const BITMAPINFOHEADER& header, int& colourCount);

// A page background: the picture `id` as a device-independent section, with a palette
// made of its colour table (at most 256 colours) or the halftone palette (more colours).
// False, with both outputs null, when the resource cannot be loaded.
bool LoadBackgroundBitmap(HINSTANCE instance, UINT id, CBitmap& bitmap, CPalette& palette);

// Width and height in pixels of the picture `id`; false when it cannot be loaded.
bool GetBitmapSize(HINSTANCE instance, UINT id, int& width, int& height);
