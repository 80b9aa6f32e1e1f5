// Loads every resource that resource-table.csv lists from the program file
// PelmoRecovery.exe, and checks its type and size against the table. A missing
// resource, a wrong size or an unlisted extra fails.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ResourceIds.h"
#include "ResourceTable.h"

namespace
{
constexpr WORD kToolbarType = 241;
constexpr WORD kDialogInitType = 240;

struct ResourceBytes
{
    const BYTE* data = nullptr;
    DWORD size = 0;
    explicit operator bool() const { return data != nullptr; }
};

// The program file, PelmoRecovery.exe (<build>/app beside <build>/resources/tests),
// loaded for its resources; the resource table itself travels in this test.
HMODULE ProgramModule()
{
    static const HMODULE program = [] {
        wchar_t path[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring folder(path);
        for (int up = 0; up < 3; ++up)
            folder.resize(folder.find_last_of(L'\\'));
        return ::LoadLibraryExW((folder + L"\\app\\PelmoRecovery.exe").c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }();
    return program;
}

TEST(ResourceTable, TheProgramFileIsThere)
{
    EXPECT_NE(ProgramModule(), nullptr) << "PelmoRecovery.exe was not found beside the tests";
}

ResourceBytes FindBytes(int id, LPCWSTR type)
{
    HMODULE module = ProgramModule();
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (found == nullptr)
        return {};
    HGLOBAL loaded = ::LoadResource(module, found);
    return {static_cast<const BYTE*>(::LockResource(loaded)), ::SizeofResource(module, found)};
}

template <typename T> T Read(const ResourceBytes& bytes, size_t offset)
{
    T value{};
    if (offset + sizeof(T) <= bytes.size)
        std::memcpy(&value, bytes.data + offset, sizeof(T));
    return value;
}

const std::vector<ResourceRow>& Table()
{
    static const std::vector<ResourceRow> rows = [] {
        HMODULE module = ::GetModuleHandleW(nullptr);
        HRSRC found = ::FindResourceW(module, L"RESOURCE_TABLE", MAKEINTRESOURCEW(10));  // RT_RCDATA
        if (found == nullptr)
            return std::vector<ResourceRow>{};
        const char* text = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
        return ParseResourceTable(std::string(text, ::SizeofResource(module, found)));
    }();
    return rows;
}

std::vector<ResourceRow> RowsOf(const std::string& type)
{
    std::vector<ResourceRow> rows;
    for (const ResourceRow& row : Table())
        if (row.type == type)
            rows.push_back(row);
    return rows;
}

COLORREF ParseColour(const std::string& rrggbb)
{
    unsigned long value = std::stoul(rrggbb, nullptr, 16);
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

// The top-left pixel of a 24- or 32-bit bottom-up DIB resource.
COLORREF TopLeftPixel(const ResourceBytes& dib, int width, int height, int bits)
{
    size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    size_t offset = 40 + stride * static_cast<size_t>(height - 1);
    return RGB(Read<BYTE>(dib, offset + 2), Read<BYTE>(dib, offset + 1), Read<BYTE>(dib, offset));
}

std::string Trace(const ResourceRow& row)
{
    return row.type + " " + std::to_string(row.id) + " " + row.name;
}
} // namespace

TEST(ResourceTable, ListsEachResourceOnce)
{
    ASSERT_GT(Table().size(), 200u);
    std::set<std::pair<std::string, int>> seen;
    for (const ResourceRow& row : Table())
        EXPECT_TRUE(seen.insert({row.type, row.id}).second) << "listed twice: " << Trace(row);
}

TEST(ResourceTable, BitmapsHaveTheirSizeDepthAndKeyColour)
{
    for (const ResourceRow& row : RowsOf("bitmap"))
    {
        SCOPED_TRACE(Trace(row));
        PixelSize size = ParsePixelSize(row.size);
        ResourceBytes dib = FindBytes(row.id, MAKEINTRESOURCEW(2));  // RT_BITMAP
        ASSERT_TRUE(dib) << "missing";
        EXPECT_EQ(Read<LONG>(dib, 4), size.width);
        EXPECT_EQ(Read<LONG>(dib, 8), size.height);
        EXPECT_EQ(size.width % size.cells, 0);
        WORD bits = Read<WORD>(dib, 14);
        EXPECT_EQ(bits, row.transparent == "alpha" ? 32 : 24);

        HBITMAP loaded = static_cast<HBITMAP>(::LoadImageW(ProgramModule(), MAKEINTRESOURCEW(row.id),
                                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(loaded, nullptr);
        BITMAP info{};
        ::GetObjectW(loaded, sizeof(info), &info);
        EXPECT_EQ(info.bmWidth, size.width);
        EXPECT_EQ(info.bmHeight, size.height);
        ::DeleteObject(loaded);

        // A named key colour is what the picture's background is made of.
        if (row.transparent.size() == 6)
        {
            EXPECT_EQ(TopLeftPixel(dib, size.width, size.height, bits), ParseColour(row.transparent));
        }
    }
}

TEST(ResourceTable, IconsHoldTheirSizes)
{
    for (const ResourceRow& row : RowsOf("icon"))
    {
        SCOPED_TRACE(Trace(row));
        ResourceBytes group = FindBytes(row.id, MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
        ASSERT_TRUE(group) << "missing";
        std::set<int> held;
        WORD count = Read<WORD>(group, 4);
        for (WORD i = 0; i < count; ++i)
        {
            BYTE width = Read<BYTE>(group, 6 + i * 14);
            held.insert(width == 0 ? 256 : width);
            EXPECT_EQ(Read<WORD>(group, 6 + i * 14 + 6), 32) << "icon images are 32-bit";
        }
        std::vector<int> wanted = ParseIconSizes(row.size);
        EXPECT_EQ(held, std::set<int>(wanted.begin(), wanted.end()));
        for (int side : wanted)
        {
            HICON icon = static_cast<HICON>(::LoadImageW(ProgramModule(), MAKEINTRESOURCEW(row.id),
                                                         IMAGE_ICON, side, side, 0));
            ASSERT_NE(icon, nullptr) << side;
            ICONINFO info{};
            ASSERT_TRUE(::GetIconInfo(icon, &info));
            BITMAP colour{};
            ::GetObjectW(info.hbmColor, sizeof(colour), &colour);
            EXPECT_EQ(colour.bmWidth, side);
            ::DeleteObject(info.hbmColor);
            ::DeleteObject(info.hbmMask);
            ::DestroyIcon(icon);
        }
    }
}

TEST(ResourceTable, CursorsLoadAtTheirSize)
{
    for (const ResourceRow& row : RowsOf("cursor"))
    {
        SCOPED_TRACE(Trace(row));
        PixelSize size = ParsePixelSize(row.size);
        ResourceBytes group = FindBytes(row.id, MAKEINTRESOURCEW(12));  // RT_GROUP_CURSOR
        ASSERT_TRUE(group) << "missing";
        ASSERT_EQ(Read<WORD>(group, 4), 1);
        EXPECT_EQ(Read<WORD>(group, 6), size.width);
        HCURSOR cursor = ::LoadCursorW(ProgramModule(), MAKEINTRESOURCEW(row.id));
        ASSERT_NE(cursor, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_LT(info.xHotspot, static_cast<DWORD>(size.width));
        EXPECT_LT(info.yHotspot, static_cast<DWORD>(size.height));
        if (info.hbmColor)
            ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
    }
}

TEST(ResourceTable, MenusHaveTheirPopups)
{
    for (const ResourceRow& row : RowsOf("menu"))
    {
        SCOPED_TRACE(Trace(row));
        HMENU menu = ::LoadMenuW(ProgramModule(), MAKEINTRESOURCEW(row.id));
        ASSERT_NE(menu, nullptr) << "missing";
        int count = ::GetMenuItemCount(menu);
        EXPECT_EQ(count, std::stoi(row.size));
        for (int i = 0; i < count; ++i)
            EXPECT_NE(::GetSubMenu(menu, i), nullptr) << "top-level item " << i << " is no popup";
        ::DestroyMenu(menu);
    }
}

TEST(ResourceTable, ToolbarsHaveTheirButtonSizeAndItems)
{
    for (const ResourceRow& row : RowsOf("toolbar"))
    {
        SCOPED_TRACE(Trace(row));
        PixelSize size = ParsePixelSize(row.size);
        ResourceBytes bar = FindBytes(row.id, MAKEINTRESOURCEW(kToolbarType));
        ASSERT_TRUE(bar) << "missing";
        EXPECT_EQ(Read<WORD>(bar, 0), 1);
        EXPECT_EQ(Read<WORD>(bar, 2), size.width);
        EXPECT_EQ(Read<WORD>(bar, 4), size.height);
        WORD items = Read<WORD>(bar, 6);
        EXPECT_EQ(items, size.cells);
        EXPECT_GE(bar.size, 8u + 2u * items);

        // Its bitmap holds one picture per button, at the button size.
        int buttons = 0;
        for (WORD i = 0; i < items; ++i)
            buttons += Read<WORD>(bar, 8 + 2 * i) != 0;
        ResourceBytes dib = FindBytes(row.id, MAKEINTRESOURCEW(2));
        ASSERT_TRUE(dib) << "toolbar bitmap missing";
        EXPECT_EQ(Read<LONG>(dib, 4), buttons * size.width);
        EXPECT_EQ(Read<LONG>(dib, 8), size.height);
    }
}

TEST(ResourceTable, DialogsHaveTheirSizeInDialogUnits)
{
    for (const ResourceRow& row : RowsOf("dialog"))
    {
        SCOPED_TRACE(Trace(row));
        PixelSize size = ParsePixelSize(row.size);
        ResourceBytes dialog = FindBytes(row.id, MAKEINTRESOURCEW(5));  // RT_DIALOG
        ASSERT_TRUE(dialog) << "missing";
        bool extended = Read<WORD>(dialog, 2) == 0xFFFF;
        size_t cx = extended ? 22 : 14;  // DLGTEMPLATEEX or DLGTEMPLATE
        EXPECT_EQ(Read<short>(dialog, cx), size.width);
        EXPECT_EQ(Read<short>(dialog, cx + 2), size.height);
    }
}

TEST(ResourceTable, DialogInitialDataHasItsRecords)
{
    for (const ResourceRow& row : RowsOf("dlginit"))
    {
        SCOPED_TRACE(Trace(row));
        ResourceBytes init = FindBytes(row.id, MAKEINTRESOURCEW(kDialogInitType));
        ASSERT_TRUE(init) << "missing";
        int records = 0;
        size_t offset = 0;
        while (offset + 8 <= init.size && Read<WORD>(init, offset) != 0)
        {
            DWORD length = Read<DWORD>(init, offset + 4);
            EXPECT_EQ(init.data[offset + 8 + length - 1], 0) << "text without its NUL";
            offset += 8 + length;
            ++records;
        }
        EXPECT_EQ(records, std::stoi(row.size));
    }
}

TEST(ResourceTable, StringsLoad)
{
    for (const ResourceRow& row : RowsOf("string"))
    {
        wchar_t text[512] = {};
        EXPECT_GT(::LoadStringW(ProgramModule(), static_cast<UINT>(row.id), text, 512), 0)
            << "string " << row.id << " missing";
        // The table shows a prompt's line break as " | "; the command bars
        // split prompt and tip at a real line feed.
        if (row.role.find(" | ") != std::string::npos)
        {
            EXPECT_NE(std::wstring(text).find(L'\n'), std::wstring::npos) << "string " << row.id;
        }
    }
    // Start-up's OLE failure message has no text of its own in the table.
    wchar_t none[8] = {};
    EXPECT_EQ(::LoadStringW(ProgramModule(), 100, none, 8), 0);
}

TEST(ResourceTable, VersionAndManifest)
{
    ResourceBytes version = FindBytes(1, MAKEINTRESOURCEW(16));  // RT_VERSION
    ASSERT_TRUE(version);
    const BYTE* end = version.data + version.size;
    const BYTE* fixed = nullptr;
    for (const BYTE* p = version.data; p + 16 <= end; p += 4)
        if (Read<DWORD>(version, p - version.data) == 0xFEEF04BD)
        {
            fixed = p;
            break;
        }
    ASSERT_NE(fixed, nullptr);
    size_t at = fixed - version.data;
    EXPECT_EQ(Read<DWORD>(version, at + 8), (22u << 16) | 3u);  // file version 22.3
    EXPECT_EQ(Read<DWORD>(version, at + 12), 1u << 16);          // .1.0
    std::u16string texts(reinterpret_cast<const char16_t*>(version.data), version.size / 2);
    EXPECT_NE(texts.find(u"22.03.01"), std::u16string::npos);

    ResourceBytes manifest = FindBytes(1, MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_TRUE(manifest);
    std::string xml(reinterpret_cast<const char*>(manifest.data), manifest.size);
    EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(xml.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(xml.find("<dpiAware"), std::string::npos);
}

TEST(ResourceTable, AboutDialogShowsTheVersion)
{
    HWND dialog = ::CreateDialogParamW(ProgramModule(), MAKEINTRESOURCEW(IDD_ABOUT), nullptr,
                                       [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(dialog, nullptr);
    wchar_t text[64] = {};
    ::GetDlgItemTextW(dialog, IDC_ABOUT_VERSION, text, 64);
    EXPECT_STREQ(text, L"Version 22.03.01");
    ::DestroyWindow(dialog);
}

// Each dialog paints its skin at (0, 0) at the skin's own size, so the skin must
// cover the dialog's client area at the system's dialog base units.
TEST(ResourceTable, SkinsCoverTheirDialogs)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ASSERT_TRUE(::InitCommonControlsEx(&controls));
    const std::pair<int, int> dialogSkins[] = {
        {IDD_ABOUT, IDB_SKIN_ABOUT},           {IDD_DRIVE_INFO, IDB_SKIN_DRIVE_INFO},
        {IDD_PLEASE_SELECT, IDB_SKIN_DRIVE_INFO}, {IDD_SELECT_VHD, IDB_SKIN_DRIVE_INFO},
        {IDD_FIND_FILES, IDB_SKIN_FIND_FILES}, {IDD_FILE_TYPES, IDB_SKIN_FILE_TYPES},
        {IDD_RECOVERY_SETTINGS, IDB_SKIN_FILE_TYPES}, {IDD_FILE_FILTERS, IDB_SKIN_FILE_FILTERS},
        {IDD_PROPERTIES, IDB_SKIN_PROPERTIES}, {IDD_SAVE_PROGRESS, IDB_SKIN_SAVE_PROGRESS},
        {IDD_MESSAGE, IDB_SKIN_MESSAGE},       {IDD_PROGRESS, IDB_SKIN_MESSAGE},
        {IDD_SAVING, IDB_SKIN_SAVING},
    };
    for (const auto& [dialogId, skinId] : dialogSkins)
    {
        SCOPED_TRACE("dialog " + std::to_string(dialogId) + " skin " + std::to_string(skinId));
        HWND dialog = ::CreateDialogParamW(ProgramModule(), MAKEINTRESOURCEW(dialogId), nullptr,
                                           [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
        ASSERT_NE(dialog, nullptr);
        RECT client{};
        ::GetClientRect(dialog, &client);
        ::DestroyWindow(dialog);
        ResourceBytes dib = FindBytes(skinId, MAKEINTRESOURCEW(2));
        ASSERT_TRUE(dib);
        EXPECT_GE(Read<LONG>(dib, 4), client.right);
        EXPECT_GE(Read<LONG>(dib, 8), client.bottom);
    }
}

TEST(ResourceTable, NoAcceleratorTableAndNothingUnlisted)
{
    HMODULE module = ProgramModule();
    EXPECT_EQ(::FindResourceW(module, MAKEINTRESOURCEW(128), MAKEINTRESOURCEW(9)), nullptr)  // RT_ACCELERATOR
        << "the program runs without an accelerator table";

    struct Kind
    {
        const char* type;
        WORD resourceType;
    };
    const Kind kinds[] = {{"bitmap", 2}, {"icon", 14}, {"cursor", 12}, {"menu", 4},
                          {"dialog", 5}, {"toolbar", kToolbarType}, {"dlginit", kDialogInitType}};
    for (const Kind& kind : kinds)
    {
        std::set<int> listed;
        for (const ResourceRow& row : RowsOf(kind.type))
            listed.insert(row.id);
        std::vector<int> present;
        ::EnumResourceNamesW(
            module, MAKEINTRESOURCEW(kind.resourceType),
            [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) -> BOOL {
                if (IS_INTRESOURCE(name))
                    reinterpret_cast<std::vector<int>*>(param)->push_back(static_cast<int>(
                        reinterpret_cast<ULONG_PTR>(name)));
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&present));
        for (int id : present)
            EXPECT_TRUE(listed.count(id)) << kind.type << " " << id << " is in the module but not in the table";
    }
}
