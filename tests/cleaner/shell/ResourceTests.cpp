// The resources built into Veltrin.exe, read from the executable beside this
// test program: what the main window, the About box and the tray take from
// them by number.
#include "cleaner/shell/Addresses.h"
#include "cleaner/shell/resource.h"
#include "VeltrinVersion.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string ProgramPath()
{
    char szPath[MAX_PATH];
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strPath = szPath;
    return strPath.substr(0, strPath.rfind('\\') + 1) + "Veltrin.exe";
}

// A name or an ordinal in a dialog template.
struct CNameOrOrdinal {
    std::string strName;
    WORD wOrdinal = 0;
};

struct CDialogItem {
    DWORD dwStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD dwId = 0;
    CNameOrOrdinal cls, title;
};

struct CDialog {
    DWORD dwStyle = 0, dwExStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    CNameOrOrdinal menu;
    std::string strCaption, strFont;
    WORD wPointSize = 0;
    std::vector<CDialogItem> items;

    const CDialogItem* Find(DWORD dwId, const std::string& strTitle = "") const
    {
        for (const CDialogItem& item : items)
            if (item.dwId == dwId && (strTitle.empty() || item.title.strName == strTitle))
                return &item;
        return nullptr;
    }
};

// Reads an extended dialog template (DIALOGEX), the only kind the script holds.
class CTemplateReader {
public:
    explicit CTemplateReader(const std::vector<BYTE>& bytes) : m_bytes(bytes) {}

    bool Read(CDialog& dialog)
    {
        if (Word() != 1 || Word() != 0xFFFF)
            return false;
        Dword();  // help id
        dialog.dwExStyle = Dword();
        dialog.dwStyle = Dword();
        WORD wItems = Word();
        dialog.x = short(Word()), dialog.y = short(Word());
        dialog.cx = short(Word()), dialog.cy = short(Word());
        dialog.menu = NameOrOrdinal();
        NameOrOrdinal();  // class
        dialog.strCaption = Text();
        if (dialog.dwStyle & DS_SETFONT) {
            dialog.wPointSize = Word();
            m_pos += 4;  // weight, italic, character set
            dialog.strFont = Text();
        }
        for (WORD i = 0; i < wItems; ++i) {
            m_pos = (m_pos + 3) & ~size_t(3);
            CDialogItem item;
            m_pos += 8;  // help id, extended style
            item.dwStyle = Dword();
            item.x = short(Word()), item.y = short(Word());
            item.cx = short(Word()), item.cy = short(Word());
            item.dwId = Dword();
            item.cls = NameOrOrdinal();
            item.title = NameOrOrdinal();
            m_pos += Word();  // creation data
            dialog.items.push_back(item);
        }
        return m_pos <= m_bytes.size();
    }

private:
    WORD Word()
    {
        WORD w = 0;
        if (m_pos + 2 <= m_bytes.size())
            std::memcpy(&w, &m_bytes[m_pos], 2);
        m_pos += 2;
        return w;
    }
    DWORD Dword() { DWORD dwLow = Word(); return dwLow | DWORD(Word()) << 16; }
    std::string Text()
    {
        std::string str;
        for (WORD w = Word(); w != 0 && m_pos <= m_bytes.size(); w = Word())
            str += char(w);
        return str;
    }
    CNameOrOrdinal NameOrOrdinal()
    {
        CNameOrOrdinal result;
        if (m_pos + 2 <= m_bytes.size() && m_bytes[m_pos] == 0xFF && m_bytes[m_pos + 1] == 0xFF) {
            m_pos += 2;
            result.wOrdinal = Word();
        } else {
            result.strName = Text();
        }
        return result;
    }

    const std::vector<BYTE>& m_bytes;
    size_t m_pos = 0;
};

const DWORD kStaticId = DWORD(-1);

// Class names compare without case; a static may also be given by its ordinal.
bool IsClass(const CNameOrOrdinal& cls, const char* pszName)
{
    if (cls.wOrdinal == 0x0082)
        return lstrcmpiA(pszName, "Static") == 0;
    return lstrcmpiA(cls.strName.c_str(), pszName) == 0;
}

class Resources : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_hModule = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() { FreeLibrary(s_hModule); }
    void SetUp() override { ASSERT_NE(s_hModule, nullptr) << "cannot load " << ProgramPath(); }

    // The bytes of a resource; empty when it is missing.
    static std::vector<BYTE> Bytes(LPCSTR pszType, UINT nId)
    {
        HRSRC hInfo = FindResourceA(s_hModule, MAKEINTRESOURCEA(nId), pszType);
        HGLOBAL hData = hInfo ? LoadResource(s_hModule, hInfo) : nullptr;
        if (!hData)
            return {};
        const BYTE* pData = static_cast<const BYTE*>(LockResource(hData));
        return std::vector<BYTE>(pData, pData + SizeofResource(s_hModule, hInfo));
    }

    static CDialog Dialog(UINT nId)
    {
        std::vector<BYTE> bytes = Bytes(RT_DIALOG, nId);
        CDialog dialog;
        EXPECT_TRUE(CTemplateReader(bytes).Read(dialog)) << "dialog " << nId;
        return dialog;
    }

    static HMODULE s_hModule;
};

HMODULE Resources::s_hModule = nullptr;

// One line per popup: "Popup: Item=id|-|Item=id", "-" for a separator.
std::string DescribeMenu(HMENU hMenu)
{
    std::string strResult;
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i) {
        char szText[128] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = szText;
        info.cch = sizeof(szText);
        GetMenuItemInfoA(hMenu, i, TRUE, &info);
        if (info.hSubMenu) {
            strResult += std::string(szText) + ": " + DescribeMenu(info.hSubMenu) + "\n";
        } else {
            if (i > 0)
                strResult += "|";
            strResult += (info.fType & MFT_SEPARATOR)
                ? std::string("-") : szText + std::string("=") + std::to_string(info.wID);
        }
    }
    return strResult;
}

void ExpectInside(const CDialog& dialog, const CDialogItem& item)
{
    EXPECT_TRUE(item.x >= 0 && item.y >= 0 && item.x + item.cx <= dialog.cx &&
                item.y + item.cy <= dialog.cy)
        << "control " << int(item.dwId) << " \"" << item.title.strName << "\" leaves the dialog";
}

}  // namespace

TEST_F(Resources, MainDialogHasItsFrameAndControlsWhereTheWindowLaysThemOut)
{
    CDialog dialog = Dialog(IDD_VELTRIN_DIALOG);
    const DWORD dwFrame = WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU | WS_POPUP |
                          WS_CAPTION;
    EXPECT_EQ(dialog.dwStyle & dwFrame, dwFrame);
    EXPECT_FALSE(dialog.dwStyle & (WS_CHILD | WS_VISIBLE | DS_MODALFRAME));
    EXPECT_EQ(dialog.dwExStyle, DWORD(WS_EX_APPWINDOW));
    EXPECT_EQ(dialog.strCaption, "Veltrin");
    EXPECT_EQ(dialog.menu.wOrdinal, IDR_MAINMENU);
    EXPECT_EQ(dialog.wPointSize, 8);
    EXPECT_EQ(dialog.strFont, "MS Sans Serif");
    EXPECT_EQ((std::vector<short>{dialog.x, dialog.y, dialog.cx, dialog.cy}),
              (std::vector<short>{0, 0, 416, 249}));

    const DWORD dwList = LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS |
                         WS_BORDER | WS_TABSTOP | WS_CHILD | WS_VISIBLE;
    struct {
        DWORD dwId;
        short x, y, cx, cy;
    } const expected[] = {
        {IDC_LIST_FEATURES, 0, 30, 214, 53},
        {IDC_LIST_LOG, 0, 85, 415, 163},
        {IDC_BANNER, 215, 0, 200, 83},
    };
    ASSERT_EQ(dialog.items.size(), 3u);
    for (const auto& want : expected) {
        const CDialogItem* pItem = dialog.Find(want.dwId);
        ASSERT_NE(pItem, nullptr) << want.dwId;
        EXPECT_EQ((std::vector<short>{pItem->x, pItem->y, pItem->cx, pItem->cy}),
                  (std::vector<short>{want.x, want.y, want.cx, want.cy})) << want.dwId;
        ExpectInside(dialog, *pItem);
        if (want.dwId == IDC_BANNER)
            continue;
        EXPECT_TRUE(IsClass(pItem->cls, "SysListView32")) << pItem->cls.strName;
        EXPECT_EQ(pItem->dwStyle & (dwList | LVS_TYPEMASK), dwList) << want.dwId;
    }
    const CDialogItem* pBanner = dialog.Find(IDC_BANNER);
    EXPECT_TRUE(IsClass(pBanner->cls, "Static")) << pBanner->cls.strName;
    EXPECT_EQ(pBanner->dwStyle & SS_TYPEMASK, DWORD(SS_BITMAP));
    EXPECT_EQ(pBanner->title.wOrdinal, IDB_BANNER);
}

TEST_F(Resources, AboutBoxShowsTheBannerVersionTemplateAndLabelledAddresses)
{
    CDialog dialog = Dialog(IDD_ABOUTBOX);
    const DWORD dwFrame = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(dialog.dwStyle & dwFrame, dwFrame);
    EXPECT_EQ(dialog.strFont, "MS Sans Serif");
    EXPECT_EQ(dialog.wPointSize, 8);
    for (const CDialogItem& item : dialog.items)
        ExpectInside(dialog, item);

    const CDialogItem* pPicture = nullptr;
    for (const CDialogItem& item : dialog.items)
        if ((item.dwStyle & SS_TYPEMASK) == SS_BITMAP && IsClass(item.cls, "Static"))
            pPicture = &item;
    ASSERT_NE(pPicture, nullptr);
    EXPECT_EQ(pPicture->title.wOrdinal, IDB_BANNER);

    const CDialogItem* pVersion = dialog.Find(IDC_ABOUT_VERSION);
    ASSERT_NE(pVersion, nullptr);
    EXPECT_EQ(pVersion->title.strName, "%s Version %s");
    EXPECT_GT(pVersion->y, pPicture->y + pPicture->cy);

    // Each address sits on the line of its label, to the right of it.
    struct {
        const char* pszLabel;
        DWORD dwId;
        const char* pszAddress;
    } const links[] = {
        {"Product page:", IDC_PRODUCT_PAGE, VELTRIN_PRODUCT_URL},
        {"Company website:", IDC_COMPANY_WEBSITE, VELTRIN_COMPANY_URL},
        {"Support:", IDC_SUPPORT_EMAIL, VELTRIN_SUPPORT_EMAIL},
    };
    for (const auto& link : links) {
        const CDialogItem* pLabel = dialog.Find(kStaticId, link.pszLabel);
        const CDialogItem* pLink = dialog.Find(link.dwId);
        ASSERT_TRUE(pLabel && pLink) << link.pszLabel;
        EXPECT_EQ(pLink->title.strName, link.pszAddress);
        EXPECT_EQ(pLink->y, pLabel->y) << link.pszLabel;
        EXPECT_GE(pLink->x, pLabel->x + pLabel->cx) << link.pszLabel;
        EXPECT_GT(pLink->y, pVersion->y) << link.pszLabel;
    }

    const CDialogItem* pOk = dialog.Find(IDOK);
    ASSERT_NE(pOk, nullptr);
    EXPECT_EQ(pOk->title.strName, "OK");
    EXPECT_EQ(pOk->dwStyle & 0x0F, DWORD(BS_DEFPUSHBUTTON));
}

TEST_F(Resources, MenusHoldTheCommandsUnderTheirTexts)
{
    struct {
        UINT nId;
        const char* pszDescription;
    } const menus[] = {
        {IDR_MAINMENU,
         "&Action: &Start=32771|S&top=32773|-|Confirmation &Wizard...=32782\n"
         "Options: Settings=32774|-|Clear Log=32784|Problem report=32783\n"
         "Help: Help=57670|-|Company website=32779|Check for updates=32780|-|About=32776\n"},
        {IDR_TRAYMENU, "Tray: Open=32788|Settings=32789|-|Exit=32790\n"},
    };
    for (const auto& menu : menus) {
        HMENU hMenu = LoadMenuA(s_hModule, MAKEINTRESOURCEA(menu.nId));
        ASSERT_NE(hMenu, nullptr) << menu.nId;
        EXPECT_EQ(DescribeMenu(hMenu), menu.pszDescription);
        DestroyMenu(hMenu);
    }
}

TEST_F(Resources, ToolbarResourceListsButtonSizeAndCommands)
{
    // Version, width, height, count, then the commands with 0 for a separator.
    const WORD expected[] = {1, 50, 36, 7, 32771, 32773, 0, 32774, 32784, 0, 57670};
    std::vector<BYTE> bytes = Bytes(MAKEINTRESOURCEA(241), IDR_TOOLBAR);
    ASSERT_EQ(bytes.size(), sizeof(expected));
    EXPECT_EQ(std::memcmp(bytes.data(), expected, sizeof(expected)), 0);
}

TEST_F(Resources, BitmapsHaveTheirCellsBackgroundsAndNoReservedColourInTheArt)
{
    const COLORREF crNone = COLORREF(-1);
    const COLORREF crFace = RGB(192, 192, 192), crMask = RGB(212, 208, 200);
    const COLORREF crMagenta = RGB(255, 0, 255);
    struct {
        UINT nId;
        LONG cx, cy, cxCell;
        COLORREF crBackground, crReserved;
    } const bitmaps[] = {
        {IDB_TOOLBAR, 250, 36, 50, crFace, crMask},
        {IDB_TOOLBAR_HOT, 250, 36, 50, crMask, crFace},
        {IDB_LOG_IMAGES, 96, 16, 16, crMagenta, crNone},
        {IDB_FEATURE_IMAGES, 32, 16, 16, crMagenta, crNone},
        {IDB_BANNER, 300, 135, 300, crNone, crNone},
    };
    for (const auto& want : bitmaps) {
        std::vector<BYTE> bytes = Bytes(RT_BITMAP, want.nId);
        ASSERT_GE(bytes.size(), sizeof(BITMAPINFOHEADER)) << want.nId;
        BITMAPINFOHEADER header;
        std::memcpy(&header, bytes.data(), sizeof(header));
        EXPECT_EQ(header.biWidth, want.cx) << want.nId;
        EXPECT_EQ(header.biHeight, want.cy) << want.nId;
        EXPECT_EQ(header.biBitCount, 24) << want.nId;
        EXPECT_EQ(header.biCompression, DWORD(BI_RGB)) << want.nId;
        const size_t cbStride = (size_t(want.cx) * 3 + 3) & ~size_t(3);
        ASSERT_EQ(bytes.size(), header.biSize + cbStride * want.cy) << want.nId;

        auto pixel = [&](LONG x, LONG y) {
            const BYTE* p = &bytes[header.biSize + cbStride * (want.cy - 1 - y) + x * 3];
            return RGB(p[2], p[1], p[0]);
        };
        for (LONG cell = 0; cell < want.cx / want.cxCell; ++cell) {
            LONG left = cell * want.cxCell, right = left + want.cxCell - 1;
            int nArt = 0;
            for (LONG y = 0; y < want.cy; ++y)
                for (LONG x = left; x <= right; ++x)
                    nArt += pixel(x, y) != want.crBackground;
            EXPECT_GT(nArt, 0) << "bitmap " << want.nId << " cell " << cell << " is empty";
            if (want.crBackground == crNone)
                continue;
            for (COLORREF cr : {pixel(left, 0), pixel(right, 0), pixel(left, want.cy - 1),
                                pixel(right, want.cy - 1)})
                EXPECT_EQ(cr, want.crBackground) << "bitmap " << want.nId << " cell " << cell;
        }
        int nReserved = 0;
        for (LONG y = 0; y < want.cy; ++y)
            for (LONG x = 0; x < want.cx; ++x)
                nReserved += pixel(x, y) == want.crReserved;
        EXPECT_EQ(nReserved, 0) << "bitmap " << want.nId;
    }
}

TEST_F(Resources, IconsHoldEverySizeWithAlphaAndLoad)
{
#pragma pack(push, 2)
    struct CGroupEntry {
        BYTE bWidth, bHeight, bColors, bReserved;
        WORD wPlanes, wBitCount;
        DWORD dwBytes;
        WORD nId;
    };
#pragma pack(pop)
    struct {
        UINT nId;
        std::vector<int> sizes;
    } const icons[] = {
        {IDR_MAINFRAME, {16, 32, 48}},
        {IDI_TRAY, {16, 32}},
    };
    for (const auto& want : icons) {
        std::vector<BYTE> group = Bytes(RT_GROUP_ICON, want.nId);
        ASSERT_GE(group.size(), 6u) << want.nId;
        WORD wCount = WORD(group[4] | group[5] << 8);
        ASSERT_EQ(group.size(), 6 + wCount * sizeof(CGroupEntry)) << want.nId;
        std::vector<int> sizes;
        for (WORD i = 0; i < wCount; ++i) {
            CGroupEntry entry;
            std::memcpy(&entry, &group[6 + i * sizeof(CGroupEntry)], sizeof(entry));
            sizes.push_back(entry.bWidth);
            EXPECT_EQ(entry.bHeight, entry.bWidth) << want.nId;
            EXPECT_EQ(entry.wBitCount, 32) << want.nId;

            std::vector<BYTE> image = Bytes(RT_ICON, entry.nId);
            ASSERT_EQ(image.size(), entry.dwBytes) << want.nId;
            HICON hIcon = CreateIconFromResourceEx(image.data(), DWORD(image.size()), TRUE,
                                                   0x00030000, entry.bWidth, entry.bWidth, 0);
            EXPECT_NE(hIcon, nullptr) << want.nId << " size " << int(entry.bWidth);
            DestroyIcon(hIcon);
        }
        EXPECT_EQ(sizes, want.sizes) << want.nId;
    }
}

TEST_F(Resources, StringsGiveTheSystemMenuItemAndTheToolbarTips)
{
    char szText[256];
    ASSERT_GT(LoadStringA(s_hModule, IDS_ABOUTBOX, szText, sizeof(szText)), 0);
    EXPECT_STREQ(szText, "&About Veltrin...");

    struct {
        UINT nId;
        const char* pszTip;
    } const tips[] = {
        {ID_ACTION_START, "Start"},         {ID_ACTION_STOP, "Stop"},
        {ID_OPTIONS_SETTINGS, "Settings"},  {ID_OPTIONS_CLEARLOG, "Clear Log"},
        {ID_HELP, "Help"},
    };
    for (const auto& tip : tips) {
        ASSERT_GT(LoadStringA(s_hModule, tip.nId, szText, sizeof(szText)), 0) << tip.nId;
        const char* pszNewLine = std::strchr(szText, '\n');
        ASSERT_NE(pszNewLine, nullptr) << szText;
        EXPECT_GT(pszNewLine - szText, 0) << "no status prompt for " << tip.nId;
        EXPECT_STREQ(pszNewLine + 1, tip.pszTip);
    }
}

TEST_F(Resources, VersionAndManifestDescribeTheProgram)
{
    std::string strPath = ProgramPath();
    DWORD dwHandle = 0;
    std::vector<BYTE> info(GetFileVersionInfoSizeA(strPath.c_str(), &dwHandle));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(strPath.c_str(), 0, DWORD(info.size()), info.data()));
    struct {
        const char* pszName;
        const char* pszValue;
    } const values[] = {
        {"ProductName", "Veltrin PRO"},
        {"ProductVersion", VELTRIN_VERSION_STRING},
        {"FileVersion", VELTRIN_VERSION_STRING},
        {"OriginalFilename", "Veltrin.exe"},
    };
    for (const auto& value : values) {
        std::string strQuery = std::string("\\StringFileInfo\\040904b0\\") + value.pszName;
        char* pszValue = nullptr;
        UINT cchValue = 0;
        ASSERT_TRUE(VerQueryValueA(info.data(), strQuery.c_str(),
                                   reinterpret_cast<void**>(&pszValue), &cchValue))
            << value.pszName;
        EXPECT_STREQ(pszValue, value.pszValue);
    }
    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT cbFixed = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&pFixed), &cbFixed));
    EXPECT_EQ(pFixed->dwProductVersionMS,
              DWORD(VELTRIN_VERSION_MAJOR) << 16 | DWORD(VELTRIN_VERSION_MINOR));
    EXPECT_EQ(pFixed->dwProductVersionLS, DWORD(VELTRIN_VERSION_PATCH) << 16);

    std::vector<BYTE> bytes = Bytes(RT_MANIFEST, 1);
    std::string strManifest(bytes.begin(), bytes.end());
    for (const char* pszPart : {"name=\"Microsoft.Windows.Common-Controls\"",
                                "version=\"6.0.0.0\"", "level=\"asInvoker\""})
        EXPECT_NE(strManifest.find(pszPart), std::string::npos) << pszPart;
}
