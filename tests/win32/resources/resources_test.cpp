// The resources compiled into the program: every bitmap with its exact size and depth, the
// program icon with its five images, the manifest for themed controls and the version resource.
#include "resources/resource.h"
#include "resources/version.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

struct BitmapCase {
    int id;
    const char* name;
    int width;
    int height;
};

const BitmapCase kBitmaps[] = {
    {IDB_LOGIN_BACKGROUND, "IDB_LOGIN_BACKGROUND", 380, 280},
    {IDB_LOGIN_CLOSE, "IDB_LOGIN_CLOSE", 140, 25},
    {IDB_LOGIN_MINIMIZE, "IDB_LOGIN_MINIMIZE", 128, 25},
    {IDB_LOGIN_BUTTON, "IDB_LOGIN_BUTTON", 356, 24},
    {IDB_SETUP_GLYPH, "IDB_SETUP_GLYPH", 19, 18},
    {IDB_SETUP_BACKGROUND, "IDB_SETUP_BACKGROUND", 20, 43},
    {IDB_SETUP_SAVE_GLYPH, "IDB_SETUP_SAVE_GLYPH", 19, 18},
    {IDB_MAIN_TITLE_FRAME, "IDB_MAIN_TITLE_FRAME", 40, 40},
    {IDB_MAIN_BROWSER_FRAME, "IDB_MAIN_BROWSER_FRAME", 40, 40},
    {IDB_MAIN_STATUS_FRAME, "IDB_MAIN_STATUS_FRAME", 50, 32},
    {IDB_MAIN_LOGO, "IDB_MAIN_LOGO", 154, 27},
    {IDB_MAIN_MINIMIZE, "IDB_MAIN_MINIMIZE", 120, 25},
    {IDB_MAIN_MAXIMIZE, "IDB_MAIN_MAXIMIZE", 124, 25},
    {IDB_MAIN_CLOSE, "IDB_MAIN_CLOSE", 140, 25},
};

// The raw bytes of a resource of this module, or an empty span.
std::pair<const BYTE*, DWORD> RawResource(LPCWSTR name, LPCWSTR type) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name, type);
    if (!found) return {nullptr, 0};
    HGLOBAL loaded = LoadResource(module, found);
    return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found)};
}

struct DeleteBitmap {
    void operator()(HBITMAP b) const { DeleteObject(b); }
};
using BitmapPtr = std::unique_ptr<std::remove_pointer_t<HBITMAP>, DeleteBitmap>;

TEST(Resources, EveryBitmapIsStoredBottomUpAt24BitsInItsExactSize) {
    for (const BitmapCase& c : kBitmaps) {
        SCOPED_TRACE(c.name);
        auto [bytes, size] = RawResource(MAKEINTRESOURCEW(c.id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
        ASSERT_NE(bytes, nullptr);
        ASSERT_GE(size, sizeof(BITMAPINFOHEADER));
        const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
        EXPECT_EQ(info->biWidth, c.width);
        EXPECT_EQ(info->biHeight, c.height);  // positive: bottom-up rows
        EXPECT_EQ(info->biBitCount, 24);
        EXPECT_EQ(info->biCompression, static_cast<DWORD>(BI_RGB));
        const DWORD stride = (static_cast<DWORD>(c.width) * 3 + 3) & ~3u;
        EXPECT_GE(size, info->biSize + stride * static_cast<DWORD>(c.height));
    }
}

TEST(Resources, EveryBitmapLoadsFromTheModuleAsADibSection) {
    for (const BitmapCase& c : kBitmaps) {
        SCOPED_TRACE(c.name);
        BitmapPtr bitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c.id),
                                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        ASSERT_TRUE(bitmap);
        DIBSECTION dib{};
        ASSERT_EQ(GetObjectW(bitmap.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
        EXPECT_EQ(dib.dsBm.bmWidth, c.width);
        EXPECT_EQ(dib.dsBm.bmHeight, c.height);
        EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    }
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
#pragma pack(pop)

TEST(Resources, ProgramIconHoldsFiveSizesAt32BitsWithAlpha) {
    auto [bytes, size] = RawResource(MAKEINTRESOURCEW(IDI_APP), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    ASSERT_NE(bytes, nullptr);
    ASSERT_GE(size, sizeof(GroupIconHeader));
    const auto* header = reinterpret_cast<const GroupIconHeader*>(bytes);
    ASSERT_EQ(header->type, 1);
    ASSERT_GE(size, sizeof(GroupIconHeader) + header->count * sizeof(GroupIconEntry));
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);

    std::set<int> sizes;
    for (WORD i = 0; i < header->count; ++i) {
        const GroupIconEntry& e = entries[i];
        const int side = e.width == 0 ? 256 : e.width;
        SCOPED_TRACE(side);
        sizes.insert(side);
        EXPECT_EQ(e.height, e.width);
        EXPECT_EQ(e.bitCount, 32);
        auto [image, imageSize] = RawResource(MAKEINTRESOURCEW(e.id), MAKEINTRESOURCEW(3) /* RT_ICON */);
        ASSERT_NE(image, nullptr);
        const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(image);
        EXPECT_EQ(info->biWidth, side);
        EXPECT_EQ(info->biHeight, 2 * side);  // colour rows and mask rows
        EXPECT_EQ(info->biBitCount, 32);

        // The alpha channel is used: clear corners, solid middle, soft edges in between.
        const auto* pixels = reinterpret_cast<const BYTE*>(image + info->biSize);
        int clear = 0, soft = 0, solid = 0;
        for (int p = 0; p < side * side; ++p) {
            const BYTE alpha = pixels[p * 4 + 3];
            (alpha == 0 ? clear : alpha == 255 ? solid : soft)++;
        }
        EXPECT_GT(clear, 0);
        EXPECT_GT(solid, side * side / 3);
        EXPECT_GT(soft, 0);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 64, 128}));
}

TEST(Resources, SystemPicksTheIconImageForEachRequestedSize) {
    for (int side : {16, 32, 48}) {
        SCOPED_TRACE(side);
        HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                                   side, side, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BitmapPtr colour(info.hbmColor), mask(info.hbmMask);
        BITMAP bm{};
        ASSERT_TRUE(GetObjectW(colour.get(), sizeof bm, &bm));
        EXPECT_EQ(bm.bmWidth, side);
        EXPECT_EQ(bm.bmHeight, side);
        DestroyIcon(icon);
    }
}

TEST(Resources, ManifestBringsInVersion6OfTheCommonControls) {
    auto [bytes, size] = RawResource(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */);
    ASSERT_NE(bytes, nullptr);
    const std::string manifest(reinterpret_cast<const char*>(bytes), size);
    EXPECT_NE(manifest.find("asInvoker"), std::string::npos);

    // The process was started with this manifest, so the loader takes comctl32 from the
    // side-by-side assembly of version 6 rather than the version 5 in the system folder.
    HMODULE comctl = LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(comctl, path, MAX_PATH), 0u);
    std::wstring loaded(path);
    for (wchar_t& ch : loaded) ch = static_cast<wchar_t>(towlower(ch));
    EXPECT_NE(loaded.find(L"common-controls_6595b64144ccf1df_6.0."), std::wstring::npos) << loaded;
    FreeLibrary(comctl);
}

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* key) {
    std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + key;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || !value) return L"<missing>";
    return std::wstring(static_cast<const wchar_t*>(value), length ? length - 1 : 0);
}

TEST(Resources, VersionResourceCarriesTheProductNameAndTheProjectVersion) {
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(ORDER_VERSION_MINOR, ORDER_VERSION_MAJOR));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, ORDER_VERSION_PATCH));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);

    EXPECT_EQ(VersionString(block, L"ProductName"), L"客户订货系统");
    EXPECT_EQ(VersionString(block, L"FileDescription"), L"客户订货系统");
    const std::string text = ORDER_VERSION_TEXT;
    EXPECT_EQ(VersionString(block, L"FileVersion"), std::wstring(text.begin(), text.end()));
    EXPECT_EQ(VersionString(block, L"ProductVersion"), std::wstring(text.begin(), text.end()));
}

}  // namespace
