// The resources compiled into the program: built-in texts, dialog templates (read back from the
// raw template and created for real), bitmaps, icon, manifest and version.

#include "res/resource.h"
#include "framework/StoredPicture.h"
#include "framework/win32/ResourceBitmaps.h"
#include "res/Brand.h"
#include "res/win32/BrandResource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// The module whose resources are checked: this test program, or the program file named by
// DISCMENU_RESOURCE_MODULE (the Install.exe of the disc), loaded for its resources only.
HINSTANCE Module() {
    static const HINSTANCE module = [] {
        const char* path = std::getenv("DISCMENU_RESOURCE_MODULE");
        return path == nullptr ? GetModuleHandleA(nullptr)
                               : LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }();
    return module;
}

// The raw bytes of a resource of this program, empty when it is missing.
std::vector<std::uint8_t> RawResource(LPCSTR type, unsigned id) {
    const HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(id), type);
    if (found == nullptr) {
        return {};
    }
    const HGLOBAL loaded = LoadResource(Module(), found);
    const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
    if (data == nullptr) {
        return {};
    }
    return std::vector<std::uint8_t>(data, data + SizeofResource(Module(), found));
}

// --- Built-in texts ----------------------------------------------------------------------------

std::string LoadText(unsigned id) {
    char buffer[1024] = {};
    const int length = LoadStringA(Module(), id, buffer, sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

TEST(ResourceModule, IsTheProgramFileAskedFor) {
    ASSERT_NE(Module(), nullptr) << "the program file could not be loaded";
    if (std::getenv("DISCMENU_RESOURCE_MODULE") != nullptr) {
        EXPECT_NE(Module(), GetModuleHandleA(nullptr));
    }
}

TEST(BuiltInTexts, AreStoredExactly) {
    const struct {
        unsigned id;
        const char* text;
    } expected[] = {
#define DISCMENU_BUILTIN_TEXT(id, text) {id, text},
#include "res/BuiltinTexts.inc"
#undef DISCMENU_BUILTIN_TEXT
    };
    for (const auto& text : expected) {
        EXPECT_EQ(LoadText(text.id), text.text) << "text " << text.id;
    }
}

TEST(BuiltInTexts, WarningHoldsOneBackslashBetweenItsLines) {
    const std::string warning = LoadText(IDS_BUILTIN_WARNING);
    const std::size_t at = warning.find('\\');
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(warning.find('\\', at + 1), std::string::npos);
    EXPECT_EQ(warning.substr(at - 8, 17), "machine.\\Java Run");
}

TEST(BuiltInTexts, AccentedLanguageNamesAreInWindows1252) {
    wchar_t wide[64] = {};
    ASSERT_EQ(LoadStringW(Module(), IDS_LANGUAGE_FRENCH, wide, 64), 8);
    EXPECT_EQ(std::wstring(wide), std::wstring(L"Fran\u00E7ais"));
    ASSERT_EQ(LoadStringW(Module(), IDS_LANGUAGE_SPANISH, wide, 64), 7);
    EXPECT_EQ(std::wstring(wide), std::wstring(L"Espa\u00F1ol"));
    if (GetACP() == 1252) {
        EXPECT_EQ(LoadText(IDS_LANGUAGE_FRENCH), "Fran\xE7"
                                                 "ais");
        EXPECT_EQ(LoadText(IDS_LANGUAGE_SPANISH), "Espa\xF1"
                                                  "ol");
    } else {
        ADD_FAILURE() << "the ANSI code page here is " << GetACP() << ", not 1252";
    }
}

TEST(BuiltInTexts, ControlNumbersHaveNoText) {
    char buffer[64] = {};
    EXPECT_EQ(LoadStringA(Module(), IDC_USB_FIRST_CHECK, buffer, sizeof buffer), 0);
    EXPECT_EQ(LoadStringA(Module(), IDC_USB_SECOND_CHECK, buffer, sizeof buffer), 0);
}

// --- Dialog templates --------------------------------------------------------------------------

// A name in a template: an ordinal (0xFFFF followed by a number) or a string.
struct NameOrOrdinal {
    bool isOrdinal = false;
    unsigned ordinal = 0;
    std::wstring text;
};

struct DialogItem {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    unsigned id = 0;
    NameOrOrdinal windowClass;
    NameOrOrdinal title;
};

struct DialogTemplate {
    bool extended = false;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::wstring title;
    unsigned pointSize = 0;
    unsigned weight = 0;
    unsigned italic = 0;
    unsigned charset = 0;
    std::wstring font;
    std::vector<DialogItem> items;
};

class TemplateReader {
public:
    explicit TemplateReader(const std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}

    unsigned Word() {
        Need(2);
        const unsigned value = m_bytes[m_pos] | (unsigned(m_bytes[m_pos + 1]) << 8);
        m_pos += 2;
        return value;
    }
    int Short() { return static_cast<std::int16_t>(Word()); }
    std::uint32_t Dword() {
        const std::uint32_t low = Word();
        return low | (std::uint32_t(Word()) << 16);
    }
    unsigned Byte() {
        Need(1);
        return m_bytes[m_pos++];
    }
    std::wstring String() {
        std::wstring text;
        for (unsigned c = Word(); c != 0; c = Word()) {
            text.push_back(static_cast<wchar_t>(c));
        }
        return text;
    }
    NameOrOrdinal Name() {
        NameOrOrdinal name;
        Need(2);
        const unsigned first = m_bytes[m_pos] | (unsigned(m_bytes[m_pos + 1]) << 8);
        if (first == 0xFFFF) {
            Word();
            name.isOrdinal = true;
            name.ordinal = Word();
        } else {
            name.text = String();
        }
        return name;
    }
    void AlignDword() { m_pos = (m_pos + 3) & ~std::size_t(3); }
    void Skip(std::size_t count) {
        Need(count);
        m_pos += count;
    }
    bool AtEnd() const { return m_pos >= m_bytes.size(); }

private:
    void Need(std::size_t count) const {
        if (m_pos + count > m_bytes.size()) {
            throw std::runtime_error("dialog template ends early");
        }
    }

    const std::vector<std::uint8_t>& m_bytes;
    std::size_t m_pos = 0;
};

DialogTemplate ParseDialog(const std::vector<std::uint8_t>& bytes) {
    TemplateReader r(bytes);
    DialogTemplate t;
    t.extended =
        bytes.size() >= 4 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
    unsigned count = 0;
    if (t.extended) {
        r.Word();  // version
        r.Word();  // signature
        r.Dword(); // help id
        t.exStyle = r.Dword();
        t.style = r.Dword();
    } else {
        t.style = r.Dword();
        t.exStyle = r.Dword();
    }
    count = r.Word();
    t.x = r.Short();
    t.y = r.Short();
    t.cx = r.Short();
    t.cy = r.Short();
    t.menu = r.Name();
    t.windowClass = r.Name();
    t.title = r.String();
    if ((t.style & (DS_SETFONT | DS_SHELLFONT)) != 0) {
        t.pointSize = r.Word();
        if (t.extended) {
            t.weight = r.Word();
            t.italic = r.Byte();
            t.charset = r.Byte();
        }
        t.font = r.String();
    }
    for (unsigned i = 0; i < count; ++i) {
        r.AlignDword();
        DialogItem item;
        if (t.extended) {
            r.Dword(); // help id
            item.exStyle = r.Dword();
            item.style = r.Dword();
        } else {
            item.style = r.Dword();
            item.exStyle = r.Dword();
        }
        item.x = r.Short();
        item.y = r.Short();
        item.cx = r.Short();
        item.cy = r.Short();
        item.id = t.extended ? r.Dword() : r.Word();
        item.windowClass = r.Name();
        item.title = r.Name();
        r.Skip(r.Word()); // creation data
        t.items.push_back(item);
    }
    return t;
}

DialogTemplate LoadDialog(unsigned id) {
    const std::vector<std::uint8_t> bytes = RawResource(RT_DIALOG, id);
    if (bytes.empty()) {
        throw std::runtime_error("no dialog template " + std::to_string(id));
    }
    return ParseDialog(bytes);
}

// The predefined class of an item, whether the template names it by ordinal or by name.
std::wstring ClassOf(const DialogItem& item) {
    if (!item.windowClass.isOrdinal) {
        std::wstring name = item.windowClass.text;
        for (wchar_t& c : name) {
            c = static_cast<wchar_t>(towupper(c));
        }
        return name;
    }
    switch (item.windowClass.ordinal) {
    case 0x80:
        return L"BUTTON";
    case 0x81:
        return L"EDIT";
    case 0x82:
        return L"STATIC";
    case 0x83:
        return L"LISTBOX";
    case 0x84:
        return L"SCROLLBAR";
    case 0x85:
        return L"COMBOBOX";
    default:
        return L"?";
    }
}

std::wstring TextOf(const DialogItem& item) {
    return item.title.isOrdinal ? L"#" + std::to_wstring(item.title.ordinal) : item.title.text;
}

void ExpectItem(const DialogItem& item, unsigned id, const wchar_t* windowClass,
                std::uint32_t style, int x, int y, int cx, int cy, const wchar_t* text) {
    SCOPED_TRACE("control " + std::to_string(id));
    EXPECT_EQ(item.id, id);
    EXPECT_EQ(ClassOf(item), windowClass);
    EXPECT_EQ(item.style, style) << std::hex << "0x" << item.style;
    EXPECT_EQ(item.exStyle, 0u);
    EXPECT_EQ(item.x, x);
    EXPECT_EQ(item.y, y);
    EXPECT_EQ(item.cx, cx);
    EXPECT_EQ(item.cy, cy);
    if (text != nullptr) {
        EXPECT_EQ(TextOf(item), text);
    }
}

void ExpectFrame(const DialogTemplate& t, std::uint32_t style, std::uint32_t exStyle, int cx,
                 int cy, const wchar_t* title, unsigned pointSize, const wchar_t* font) {
    EXPECT_EQ(t.style, style) << std::hex << "0x" << t.style;
    EXPECT_EQ(t.exStyle, exStyle) << std::hex << "0x" << t.exStyle;
    EXPECT_EQ(t.cx, cx);
    EXPECT_EQ(t.cy, cy);
    EXPECT_EQ(t.title, title);
    EXPECT_EQ(t.pointSize, pointSize);
    EXPECT_EQ(t.font, font);
    EXPECT_TRUE(t.menu.isOrdinal ? t.menu.ordinal == 0 : t.menu.text.empty()) << "no menu";
    EXPECT_TRUE(t.windowClass.isOrdinal ? t.windowClass.ordinal == 0 : t.windowClass.text.empty())
        << "the system's dialog class";
}

constexpr std::uint32_t kChild = WS_CHILD | WS_VISIBLE;
constexpr std::uint32_t kModalFrame =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

TEST(DialogTemplates, AboutBox) {
    const DialogTemplate t = LoadDialog(IDD_ABOUTBOX);
    EXPECT_FALSE(t.extended);
    ExpectFrame(t, kModalFrame, 0, 235, 55, L"Install", 8, L"Arial");
    ASSERT_EQ(t.items.size(), 4u);
    ExpectItem(t.items[0], 0xFFFF, L"STATIC", kChild | SS_ICON, 11, 17, 20, 20, L"#128");
    ExpectItem(t.items[1], 0xFFFF, L"STATIC", kChild | WS_GROUP | SS_LEFT | SS_NOPREFIX, 40, 10,
               119, 8, L"Install Version 1.0");
    ExpectItem(t.items[2], IDC_ABOUT_COPYRIGHT, L"STATIC",
               kChild | WS_GROUP | SS_LEFT | SS_NOPREFIX, 40, 25, 119, 8,
               L""); // the brand's copyright, filled in when the box opens
    ExpectItem(t.items[3], IDOK, L"BUTTON", kChild | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 178,
               7, 50, 14, L"OK");
}

TEST(DialogTemplates, MenuPage) {
    const DialogTemplate t = LoadDialog(IDD_INSTALL_DIALOG);
    EXPECT_FALSE(t.extended);
    ExpectFrame(t, kModalFrame, 0, 234, 235, L"Install", 8, L"Arial");
    EXPECT_EQ(t.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);
    ASSERT_EQ(t.items.size(), 2u);
    ExpectItem(t.items[0], IDC_LANGUAGE_LABEL, L"STATIC", kChild | WS_GROUP | SS_LEFT, 8, 145, 100,
               18, L"Select the installation language in the list below");
    ExpectItem(t.items[1], IDC_LANGUAGE_COMBO, L"COMBOBOX",
               kChild | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 8, 163, 100, 54, L"");
    EXPECT_EQ(t.items[1].style & CBS_SORT, 0u) << "languages stay in index order";
}

TEST(DialogTemplates, UsbDriverDialog) {
    const DialogTemplate t = LoadDialog(IDD_USB_DRIVER);
    EXPECT_FALSE(t.extended);
    ExpectFrame(t, 0x80c800c0u, 0, 236, 88, L"USB Drivers Installation", 8, L"MS Sans Serif");
    ASSERT_EQ(t.items.size(), 4u);
    ExpectItem(t.items[0], IDOK, L"BUTTON", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 123, 67, 50, 14,
               L"OK");
    ExpectItem(t.items[1], IDCANCEL, L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 179, 67, 50,
               14, L"Cancel");
    ExpectItem(t.items[2], IDC_USB_FIRST_CHECK, L"BUTTON",
               kChild | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE, 21, 6, 194, 20,
               L"Install USB driver files for RKVA");
    ExpectItem(t.items[3], IDC_USB_SECOND_CHECK, L"BUTTON",
               kChild | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE, 21, 36, 194, 20,
               L"Install USB driver files for RKVB");
}

TEST(DialogTemplates, ManualsWindow) {
    const DialogTemplate t = LoadDialog(IDD_MANUALS);
    EXPECT_TRUE(t.extended);
    ExpectFrame(t, 0x90c80040u, WS_EX_TOOLWINDOW, 392, 305, L"Ormix-Designer Manuals", 9,
                L"MS Sans Serif");
    ASSERT_EQ(t.items.size(), 1u);
    ExpectItem(t.items[0], IDC_HTML_PLACEHOLDER, L"STATIC", kChild | WS_GROUP | SS_LEFT, 0, 0, 392,
               305, L"Static");
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::string ClassNameOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The system builds every template into a window with the expected controls.
TEST(DialogTemplates, CreateWindowsWithTheirControls) {
    const struct {
        unsigned dialog;
        std::vector<std::pair<unsigned, const char*>> controls;
    } cases[] = {
        {IDD_ABOUTBOX, {{IDOK, "Button"}}},
        {IDD_INSTALL_DIALOG, {{IDC_LANGUAGE_LABEL, "Static"}, {IDC_LANGUAGE_COMBO, "ComboBox"}}},
        {IDD_USB_DRIVER,
         {{IDOK, "Button"},
          {IDCANCEL, "Button"},
          {IDC_USB_FIRST_CHECK, "Button"},
          {IDC_USB_SECOND_CHECK, "Button"}}},
        {IDD_MANUALS, {{IDC_HTML_PLACEHOLDER, "Static"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("dialog " + std::to_string(c.dialog));
        const HWND dialog =
            CreateDialogParamA(Module(), MAKEINTRESOURCEA(c.dialog), nullptr, QuietDialogProc, 0);
        ASSERT_NE(dialog, nullptr) << GetLastError();
        for (const auto& [id, windowClass] : c.controls) {
            const HWND control = GetDlgItem(dialog, static_cast<int>(id));
            ASSERT_NE(control, nullptr) << "control " << id;
            EXPECT_STREQ(ClassNameOf(control).c_str(), windowClass) << "control " << id;
        }
        if (c.dialog == IDD_ABOUTBOX) {
            // The icon control found icon 128 in this module.
            const HWND icon = GetWindow(dialog, GW_CHILD);
            ASSERT_NE(icon, nullptr);
            EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);
        }
        DestroyWindow(dialog);
    }
}

// --- Bitmaps -----------------------------------------------------------------------------------

struct BitmapCase {
    unsigned id;
    int width;
    int height;
    int bitsPerPixel;
};

const BitmapCase kBitmaps[] = {
    {IDB_BACKGROUND, 400, 300, 24},
    {IDB_ENTRY_NORMAL, 185, 40, 24},
    {IDB_HELP_STRIP, 600, 40, 24},
    {IDB_BACKGROUND_LUMO, 400, 300, 8},
    {IDB_ENTRY_HOT, 185, 40, 24},
    {IDB_BACKGROUND_SPARE, 400, 300, 8},
    // The pictures for screens of more than 96 DPI, twice the size.
    {IDB_BACKGROUND_2X, 800, 600, 24},
    {IDB_ENTRY_NORMAL_2X, 370, 80, 24},
    {IDB_HELP_STRIP_2X, 1200, 80, 24},
    {IDB_BACKGROUND_LUMO_2X, 800, 600, 8},
    {IDB_ENTRY_HOT_2X, 370, 80, 24},
};

// A picture loaded as a section, as the program loads its backgrounds, freed when it goes out
// of scope.
class Section {
public:
    explicit Section(unsigned id) {
        CBitmap bitmap;
        CPalette palette;
        if (LoadBackgroundBitmap(Module(), id, bitmap, palette)) {
            m_bitmap = bitmap.release();
        }
    }
    ~Section() {
        if (m_bitmap != nullptr) {
            DeleteObject(m_bitmap);
        }
    }
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;

    HBITMAP Handle() const { return m_bitmap; }
    DIBSECTION Info() const {
        DIBSECTION info{};
        EXPECT_EQ(GetObjectA(m_bitmap, sizeof info, &info), int(sizeof info));
        return info;
    }
    // The colour of pixel (x, y), row 0 on top, of a 24-bit section.
    COLORREF Pixel(int x, int y) const {
        const DIBSECTION info = Info();
        const auto* bits = static_cast<const std::uint8_t*>(info.dsBm.bmBits);
        const int row = info.dsBmih.biHeight > 0 ? info.dsBm.bmHeight - 1 - y : y;
        const std::uint8_t* p = bits + row * info.dsBm.bmWidthBytes + x * 3;
        return RGB(p[2], p[1], p[0]);
    }

private:
    HBITMAP m_bitmap = nullptr;
};

TEST(Bitmaps, LoadWithTheirSizesAndDepths) {
    for (const BitmapCase& c : kBitmaps) {
        SCOPED_TRACE("bitmap " + std::to_string(c.id));
        const Section section(c.id);
        ASSERT_NE(section.Handle(), nullptr);
        const DIBSECTION info = section.Info();
        EXPECT_EQ(info.dsBm.bmWidth, c.width);
        EXPECT_EQ(info.dsBm.bmHeight, c.height);
        EXPECT_EQ(info.dsBm.bmBitsPixel, c.bitsPerPixel);
        EXPECT_EQ(info.dsBmih.biBitCount, c.bitsPerPixel);
        if (c.bitsPerPixel == 8) {
            const HDC memory = CreateCompatibleDC(nullptr);
            const HGDIOBJ old = SelectObject(memory, section.Handle());
            RGBQUAD table[256] = {};
            EXPECT_EQ(GetDIBColorTable(memory, 0, 256, table), 256u);
            SelectObject(memory, old);
            DeleteDC(memory);
        }
    }
}

// Every picture is stored compressed, none as a plain bitmap resource, and decodes to the bytes
// of a bitmap resource as the program's own loader reads them: header, then 2 to the power of
// the bit count colour entries for 8 bits or less, then the rows.
TEST(Bitmaps, RawResourcesHoldHeaderTableAndRows) {
    for (const BitmapCase& c : kBitmaps) {
        SCOPED_TRACE("bitmap " + std::to_string(c.id));
        EXPECT_TRUE(RawResource(RT_BITMAP, c.id).empty());
        const std::vector<std::uint8_t> stored = RawResource(pictures::kResourceType, c.id);
        const auto decoded = pictures::Decode(stored.data(), stored.size());
        ASSERT_TRUE(decoded);
        EXPECT_LT(stored.size(), decoded->size() / 2) << "compressed";
        const std::vector<std::uint8_t>& raw = *decoded;
        ASSERT_GE(raw.size(), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header{};
        std::memcpy(&header, raw.data(), sizeof header);
        EXPECT_EQ(header.biSize, sizeof(BITMAPINFOHEADER));
        EXPECT_EQ(header.biWidth, c.width);
        EXPECT_EQ(header.biHeight, c.height);
        EXPECT_EQ(header.biBitCount, c.bitsPerPixel);
        EXPECT_EQ(header.biCompression, DWORD(BI_RGB));
        const std::size_t table = c.bitsPerPixel <= 8 ? (std::size_t(1) << c.bitsPerPixel) * 4 : 0;
        EXPECT_EQ(header.biClrUsed, c.bitsPerPixel <= 8 ? 256u : 0u);
        const std::size_t stride = ((std::size_t(c.width) * c.bitsPerPixel + 31) / 32) * 4;
        EXPECT_EQ(raw.size(), sizeof header + table + stride * std::size_t(c.height));
    }
}

TEST(Bitmaps, FacesAndStripHaveTheirGradientEnds) {
    const Section normal(IDB_ENTRY_NORMAL);
    EXPECT_EQ(normal.Pixel(0, 0), RGB(153, 200, 226));
    EXPECT_EQ(normal.Pixel(181, 35), RGB(3, 117, 187));
    const Section hot(IDB_ENTRY_HOT);
    EXPECT_EQ(hot.Pixel(0, 0), RGB(0, 117, 186));
    EXPECT_EQ(hot.Pixel(181, 35), RGB(152, 199, 227));
    const Section strip(IDB_HELP_STRIP);
    EXPECT_EQ(strip.Pixel(0, 0), RGB(241, 248, 253));
    EXPECT_EQ(strip.Pixel(0, 39), RGB(99, 169, 229));
    EXPECT_EQ(strip.Pixel(300, 5), RGB(192, 192, 192));
    EXPECT_EQ(strip.Pixel(300, 20), RGB(255, 255, 255));
}

TEST(Bitmaps, MainBackgroundIsWhiteWhereLabelAndChooserSit) {
    const Section background(IDB_BACKGROUND);
    ASSERT_NE(background.Handle(), nullptr);
    for (int y = 220; y < 300; ++y) {
        for (int x = 0; x <= 219; ++x) {
            ASSERT_EQ(background.Pixel(x, y), RGB(255, 255, 255)) << x << ", " << y;
        }
    }
}

// --- Icon --------------------------------------------------------------------------------------

TEST(Icon, HasA16And32PixelImage) {
    EXPECT_NE(LoadIconA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME)), nullptr);
    for (const int size : {16, 32}) {
        const HICON icon = static_cast<HICON>(
            LoadImageA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        ASSERT_NE(info.hbmColor, nullptr);
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }

    const std::vector<std::uint8_t> group = RawResource(RT_GROUP_ICON, IDR_MAINFRAME);
    ASSERT_EQ(group.size(), 6u + 2 * 14);
    EXPECT_EQ(group[2] | (group[3] << 8), 1) << "icon, not cursor";
    EXPECT_EQ(group[4] | (group[5] << 8), 2);
    std::set<int> sizes;
    for (std::size_t i = 0; i < 2; ++i) {
        const std::uint8_t* entry = &group[6 + 14 * i];
        sizes.insert(entry[0]);
        EXPECT_EQ(entry[0], entry[1]);
        EXPECT_EQ(entry[6] | (entry[7] << 8), 32) << "bits per pixel";
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

// --- Manifest and version ----------------------------------------------------------------------

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST(Manifest, RunsAsInvokerWithCommonControls6AndScalesItself) {
    int manifests = 0;
    EnumResourceNamesA(Module(), RT_MANIFEST, CountName, reinterpret_cast<LONG_PTR>(&manifests));
    EXPECT_EQ(manifests, 1) << "exactly one manifest";
    // Resource 1: the manifest that the loader applies to the process.
    const std::vector<std::uint8_t> raw = RawResource(RT_MANIFEST, 1);
    const std::string manifest(raw.begin(), raw.end());
    ASSERT_FALSE(manifest.empty());
    for (const char* part :
         {"level=\"asInvoker\"", "uiAccess=\"false\"", "name=\"Microsoft.Windows.Common-Controls\"",
          "version=\"6.0.0.0\"", "publicKeyToken=\"6595b64144ccf1df\"", "language=\"*\"",
          "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
          "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
          "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
          // Settings that systems without them pass over: outside the assembly namespace.
          "<application xmlns=\"urn:schemas-microsoft-com:asm.v3\">",
          "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm<",
          "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
          "PerMonitorV2, PerMonitor<"}) {
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
}

// One node of a version resource: key, value and children.
struct VersionNode {
    std::wstring key;
    std::vector<std::uint8_t> value;
    bool text = false;
    std::vector<VersionNode> children;

    const VersionNode* Child(const std::wstring& name) const {
        for (const VersionNode& child : children) {
            if (child.key == name) {
                return &child;
            }
        }
        return nullptr;
    }
    std::wstring Text() const {
        std::wstring result;
        for (std::size_t i = 0; i + 1 < value.size(); i += 2) {
            const wchar_t c = static_cast<wchar_t>(value[i] | (value[i + 1] << 8));
            if (c == 0) {
                break;
            }
            result.push_back(c);
        }
        return result;
    }
};

VersionNode ParseVersionNode(const std::vector<std::uint8_t>& data, std::size_t offset) {
    auto word = [&](std::size_t at) {
        if (at + 2 > data.size()) {
            throw std::runtime_error("version resource ends early");
        }
        return unsigned(data[at] | (data[at + 1] << 8));
    };
    auto align = [](std::size_t at) { return (at + 3) & ~std::size_t(3); };
    VersionNode node;
    const std::size_t length = word(offset);
    const std::size_t valueLength = word(offset + 2);
    node.text = word(offset + 4) == 1;
    std::size_t at = offset + 6;
    for (unsigned c = word(at); c != 0; c = word(at)) {
        node.key.push_back(static_cast<wchar_t>(c));
        at += 2;
    }
    at = align(at + 2);
    const std::size_t valueBytes = node.text ? 2 * valueLength : valueLength;
    node.value.assign(data.begin() + std::ptrdiff_t(at),
                      data.begin() + std::ptrdiff_t(at + valueBytes));
    at = align(at + valueBytes);
    const std::size_t end = offset + length;
    while (at + 6 <= end) {
        node.children.push_back(ParseVersionNode(data, at));
        at = align(at + word(at));
    }
    return node;
}

TEST(Version, NamesTheProductAndItsMaker) {
    const std::vector<std::uint8_t> raw = RawResource(RT_VERSION, 1);
    ASSERT_FALSE(raw.empty());
    const VersionNode root = ParseVersionNode(raw, 0);
    EXPECT_EQ(root.key, L"VS_VERSION_INFO");
    ASSERT_EQ(root.value.size(), sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed{};
    std::memcpy(&fixed, root.value.data(), sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwFileType, DWORD(VFT_APP));

    const VersionNode* strings = root.Child(L"StringFileInfo");
    ASSERT_NE(strings, nullptr);
    const VersionNode* table = strings->Child(L"040904e4");
    ASSERT_NE(table, nullptr);
    const struct {
        const wchar_t* key;
        const wchar_t* value;
    } expected[] = {
        {L"CompanyName", L"Brenlow"},
        {L"ProductName", L"Ormix-Designer"},
        {L"FileDescription", L"Ormix-Designer installation disc menu"},
        {L"FileVersion", L"1.0.0.0"},
        {L"ProductVersion", L"1.0.0.0"},
        {L"OriginalFilename", L"Install.exe"},
        {L"InternalName", L"Install"},
    };
    for (const auto& e : expected) {
        const VersionNode* value = table->Child(e.key);
        ASSERT_NE(value, nullptr) << "no " << std::string(e.key, e.key + wcslen(e.key));
        EXPECT_EQ(value->Text(), e.value);
    }
    const VersionNode* copyright = table->Child(L"LegalCopyright");
    ASSERT_NE(copyright, nullptr);
    EXPECT_NE(copyright->Text().find(L"Brenlow"), std::wstring::npos);

    const VersionNode* variables = root.Child(L"VarFileInfo");
    ASSERT_NE(variables, nullptr);
    const VersionNode* translation = variables->Child(L"Translation");
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(translation->value.size(), 4u);
    EXPECT_EQ(translation->value[0] | (translation->value[1] << 8), 0x0409);
    EXPECT_EQ(translation->value[2] | (translation->value[3] << 8), 1252);
}

TEST(Brand, TheSamplesProgramCarriesTheSamplesBrandIniAsItStands) {
    const std::string carried = product::BrandResourceText(Module());
    EXPECT_EQ(carried, std::string(product::SampleBrandIni()));
    const product::Brand brand = product::ReadBrand(carried);
    EXPECT_EQ(brand.name, "Ormix-Designer");
    EXPECT_EQ(brand.firstPackage, "RKVA");
}

} // namespace
