#include "TRMenu.h"

#include <algorithm>
#include <cwctype>
#include "CWinApp.h"
#include "MenuImageVariants.h"

namespace {

// Shared by every TRMenu of the process.
struct TRMenuGlobals {
    HIMAGELIST images = nullptr;
    // One entry per image of `images`; an id three times in a row is a
    // flat-style image with its faded and shadow variants behind it.
    std::vector<UINT_PTR> imageIds;
    std::vector<HMENU> submenus;
    ~TRMenuGlobals() {
        if (images) ImageList_Destroy(images);
    }
};

TRMenuGlobals& Globals() {
    static TRMenuGlobals globals;
    return globals;
}

constexpr UINT kMenuEnd = 0x80;  // MF_END in a menu template

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

int GapFor(bool flat) { return flat ? 7 : 4; }

bool HasThreeVariants(int offset) {
    const auto& ids = Globals().imageIds;
    const auto at = static_cast<std::size_t>(offset);
    return offset >= 0 && at + 2 < ids.size() && ids[at + 1] == ids[at] && ids[at + 2] == ids[at];
}

// The item was given its own check-mark bitmap (SetMenuItemBitmaps): it is
// drawn with the round dot instead of the tick.
bool CarriesCheckBitmap(const DRAWITEMSTRUCT& item) {
    HMENU menu = reinterpret_cast<HMENU>(item.hwndItem);
    if (!IsMenu(menu)) return false;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_CHECKMARKS;
    return GetMenuItemInfoW(menu, item.itemID, FALSE, &info) && info.hbmpChecked;
}

HFONT MenuFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return nullptr;
    return CreateFontIndirectA(&metrics.lfMenuFont);
}

void FillRectColour(HDC dc, const RECT& rect, COLORREF colour) {
    CDC target(dc);
    target.FillSolidRect(rect, colour);
}

void FrameColour(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FrameRect(dc, &rect, brush);
    DeleteObject(brush);
}

}  // namespace

// ---- records -----------------------------------------------------------------

TRMenuData::~TRMenuData() {
    if (ownImageList) ImageList_Destroy(ownImageList);
}

// ---- version and theme -----------------------------------------------------

int TRMenu::ClassifyWindowsVersion(DWORD getVersionResult, const OSVERSIONINFOA* info) {
    const bool notNt = (getVersionResult & 0x80000000u) != 0;
    if (notNt && LOBYTE(LOWORD(getVersionResult)) < 4) return 0;
    if (!info) return notNt ? 2 : 1;
    if (info->dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        if (info->dwMajorVersion == 4 && info->dwMinorVersion == 10) return 3;
        if (info->dwMajorVersion == 4 && info->dwMinorVersion == 90) return 4;
        return 2;
    }
    if (info->dwPlatformId == VER_PLATFORM_WIN32_NT) {
        if (info->dwMajorVersion == 4) return 5;
        if (info->dwMajorVersion == 5 && info->dwMinorVersion == 0) return 6;
        if (info->dwMajorVersion == 5 && info->dwMinorVersion == 1) return 7;
        return 1;
    }
    return notNt ? 2 : 1;
}

int TRMenu::WindowsVersionCode() {
    static const int code = [] {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        const DWORD version = GetVersion();
        const bool haveInfo = GetVersionExA(&info) != FALSE;
#pragma GCC diagnostic pop
        return ClassifyWindowsVersion(version, haveInfo ? &info : nullptr);
    }();
    return code;
}

bool TRMenu::IsClassicTheme() {
    static const bool classic = [] {
        char value[MAX_PATH] = {};
        LONG size = sizeof(value);
        if (RegQueryValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", value, &size) !=
            ERROR_SUCCESS) {
            return false;
        }
        const std::string text(value);
        const std::string suffix = "windows classic.theme";
        if (text.size() < suffix.size()) return false;
        std::string tail = text.substr(text.size() - suffix.size());
        std::transform(tail.begin(), tail.end(), tail.begin(), [](char c) { return static_cast<char>(tolower(c)); });
        return tail == suffix;
    }();
    return classic;
}

bool TRMenu::UsesXpLook() { return WindowsVersionCode() == 7 && !IsClassicTheme(); }

// ---- construction and building ---------------------------------------------

TRMenu::TRMenu() = default;

TRMenu::~TRMenu() { TRMenu::DestroyMenu(); }

void TRMenu::UseCheckImages(HIMAGELIST list, int selectedImage, int unselectedImage) {
    if (m_imageList && !m_sharedImageList && m_imageList != list) ImageList_Destroy(m_imageList);
    m_imageList = list;
    m_sharedImageList = 0;
    m_checkImageSelected = selectedImage;
    m_checkImageUnselected = unselectedImage;
}

bool TRMenu::DestroyMenu() {
    auto& submenus = Globals().submenus;
    for (const auto& submenu : m_submenus) {
        submenus.erase(std::remove(submenus.begin(), submenus.end(), submenu->GetSafeHmenu()), submenus.end());
    }
    if (m_hMenu) submenus.erase(std::remove(submenus.begin(), submenus.end(), m_hMenu), submenus.end());
    // The submenus' handles go with the parent's DestroyMenu; their objects only drop them.
    for (auto& submenu : m_submenus) submenu->Detach();
    m_submenus.clear();
    m_items.clear();
    if (m_imageList && !m_sharedImageList) ImageList_Destroy(m_imageList);
    m_imageList = nullptr;
    return CMenu::DestroyMenu();
}

bool TRMenu::LoadMenu(UINT resourceId) { return LoadMenu(MAKEINTRESOURCEA(resourceId)); }

bool TRMenu::LoadMenu(const char* resourceName) {
    DestroyMenu();
    HINSTANCE module = CWinApp::ResourceHandle();
    HRSRC resource = FindResourceA(module, resourceName, MAKEINTRESOURCEA(4) /* RT_MENU */);
    if (!resource) {
        module = GetModuleHandleA(nullptr);
        resource = FindResourceA(module, resourceName, MAKEINTRESOURCEA(4));
    }
    if (!resource) return false;
    HGLOBAL loaded = LoadResource(module, resource);
    const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    const DWORD size = SizeofResource(module, resource);
    if (!data || size < 4) return false;
    if (!CreatePopupMenu()) return false;
    const BYTE* cursor = data + 4 + reinterpret_cast<const WORD*>(data)[1];  // header: version, offset
    return BuildFromTemplate(cursor, data + size);
}

bool TRMenu::BuildFromTemplate(const BYTE*& cursor, const BYTE* end) {
    auto readWord = [&](WORD& value) {
        if (cursor + 2 > end) return false;
        value = *reinterpret_cast<const WORD*>(cursor);
        cursor += 2;
        return true;
    };
    for (;;) {
        WORD flags = 0, id = 0;
        if (!readWord(flags)) return false;
        if (!(flags & MF_POPUP) && !readWord(id)) return false;
        std::wstring text;
        for (WORD c = 0; readWord(c) && c != 0;) text.push_back(static_cast<wchar_t>(c));
        const bool last = (flags & kMenuEnd) != 0;
        const UINT itemFlags = flags & ~kMenuEnd;
        if (itemFlags & MF_POPUP) {
            auto submenu = std::make_unique<TRMenu>();
            submenu->m_imageList = m_imageList;
            submenu->m_sharedImageList = 1;
            submenu->m_checkImageSelected = m_checkImageSelected;
            submenu->m_checkImageUnselected = m_checkImageUnselected;
            submenu->m_drawMode = m_drawMode;
            if (!submenu->CreatePopupMenu() || !submenu->BuildFromTemplate(cursor, end)) return false;
            HMENU handle = submenu->GetSafeHmenu();
            m_submenus.push_back(std::move(submenu));
            AppendOwnerDrawItem(text.c_str(), itemFlags, reinterpret_cast<UINT_PTR>(handle), -1);
        } else {
            AppendOwnerDrawItem(text.c_str(), itemFlags, id, -1);
        }
        if (last) break;
    }
    AlignAcceleratorColumn();
    return true;
}

int TRMenu::AddGlobalImage(UINT_PTR id, int imageResource) {
    CBitmap bitmap(LoadMappedBitmap(static_cast<UINT>(imageResource)));
    if (!bitmap) return -1;
    TRMenuGlobals& globals = Globals();
    if (!globals.images) globals.images = ImageList_Create(m_imageWidth, m_imageHeight, ILC_COLOR24 | ILC_MASK, 8, 8);
    if (!globals.images) return -1;
    const COLORREF mask = m_useMaskColour ? m_maskColour : GetSysColor(COLOR_BTNFACE);
    int index = -1;
    if (m_drawMode == 1) {
        // The flat look fades resting images and lifts the selected one over
        // its shadow: the three pictures stand together under one id.
        const COLORREF shadow = UsesXpLook() ? GetSysColor(COLOR_BTNSHADOW)
                                             : BlendTowardWhite(GetSysColor(COLOR_BTNSHADOW), 0.49);
        CBitmap variants[MenuImageVariants::kVariantCount];
        if (!MenuImageVariants::Build(bitmap, {m_imageWidth, m_imageHeight}, mask, shadow, variants)) return -1;
        const int first = ImageList_GetImageCount(globals.images);
        for (CBitmap& variant : variants) {
            if (ImageList_AddMasked(globals.images, variant, mask) < 0) {
                while (ImageList_GetImageCount(globals.images) > first) {
                    ImageList_Remove(globals.images, ImageList_GetImageCount(globals.images) - 1);
                }
                return -1;
            }
        }
        index = first;
    } else {
        index = ImageList_AddMasked(globals.images, bitmap, mask);
    }
    if (index < 0) return -1;
    while (static_cast<int>(globals.imageIds.size()) < ImageList_GetImageCount(globals.images)) {
        globals.imageIds.push_back(id);
    }
    return index;
}

bool TRMenu::AppendOwnerDrawItem(const wchar_t* text, UINT flags, UINT_PTR id, int imageResource) {
    if (!m_hMenu) return false;
    if (id == 0 && !(flags & MF_POPUP)) {
        flags = MF_SEPARATOR | MF_OWNERDRAW | (flags & MF_BYPOSITION);
    } else {
        flags |= MF_OWNERDRAW;
    }
    if (flags & MF_POPUP) Globals().submenus.push_back(reinterpret_cast<HMENU>(id));
    auto data = std::make_unique<TRMenuData>();
    data->SetWideText(text);
    data->flags = flags;
    data->commandId = id;
    if (!(flags & (MF_SEPARATOR | MF_POPUP))) {
        data->globalImageOffset = imageResource < 0 ? FindGlobalImage(id) : AddGlobalImage(id, imageResource);
    }
    if (!AppendMenuW(m_hMenu, flags, id, reinterpret_cast<LPCWSTR>(data.get()))) return false;
    m_items.push_back(std::move(data));
    if (m_popupTexts) ResyncPopupTexts();
    return true;
}

// ---- look-ups ------------------------------------------------------------------

TRMenuData* TRMenu::RecordOf(ULONG_PTR itemData) const {
    for (const auto& item : m_items) {
        if (reinterpret_cast<ULONG_PTR>(item.get()) == itemData) return item.get();
    }
    return nullptr;
}

int TRMenu::FindGlobalImage(UINT_PTR id) {
    const auto& ids = Globals().imageIds;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (ids[i] == id) return static_cast<int>(i);
    }
    return -1;
}

bool TRMenu::IsOwnSubmenu(HMENU menu) {
    const auto& submenus = Globals().submenus;
    return menu && std::find(submenus.begin(), submenus.end(), menu) != submenus.end();
}

TRMenu* TRMenu::FindCommandOwner(UINT_PTR id, int& position) {
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (!(m_items[i]->flags & MF_POPUP) && m_items[i]->commandId == id && id != 0) {
            position = static_cast<int>(i);
            return this;
        }
    }
    for (auto& submenu : m_submenus) {
        if (TRMenu* owner = submenu->FindCommandOwner(id, position)) return owner;
    }
    return nullptr;
}

std::wstring TRMenu::GetItemText(UINT idOrPosition, UINT flags) const {
    if (flags & MF_BYPOSITION) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA;
        if (!GetMenuItemInfoW(m_hMenu, idOrPosition, TRUE, &info)) return {};
        const TRMenuData* data = RecordOf(info.dwItemData);
        return data ? data->text : std::wstring();
    }
    for (const auto& item : m_items) {
        if (item->commandId == idOrPosition && !(item->flags & MF_POPUP)) return item->text;
    }
    for (const auto& submenu : m_submenus) {
        std::wstring text = submenu->GetItemText(idOrPosition, flags);
        if (!text.empty()) return text;
    }
    return {};
}

LRESULT TRMenu::FindMnemonicItem(UINT character, UINT flags, HMENU menu) {
    auto* object = dynamic_cast<TRMenu*>(CMenu::FromHandlePermanent(menu));
    if (!object || !(flags & MF_POPUP)) return 0;
    if (static_cast<int>(object->m_items.size()) != ::GetMenuItemCount(menu)) object->RebuildDataFromMenu();
    const std::wstring key = Lower(std::wstring(L"&") + static_cast<wchar_t>(character));
    for (std::size_t i = 0; i < object->m_items.size(); ++i) {
        if (Lower(object->m_items[i]->text).find(key) != std::wstring::npos) {
            return MAKELRESULT(static_cast<WORD>(i), MNC_EXECUTE);
        }
    }
    return 0;
}

void TRMenu::RebuildDataFromMenu() {
    for (auto& item : m_items) item->synced = 0;
    std::vector<std::unique_ptr<TRMenuData>> rebuilt;
    const int count = ::GetMenuItemCount(m_hMenu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA | MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(m_hMenu, static_cast<UINT>(position), TRUE, &info)) continue;
        auto known = std::find_if(m_items.begin(), m_items.end(), [&](const auto& item) {
            return item && reinterpret_cast<ULONG_PTR>(item.get()) == info.dwItemData;
        });
        if (known != m_items.end()) {
            (*known)->synced = 1;
            rebuilt.push_back(std::move(*known));
            continue;
        }
        auto data = std::make_unique<TRMenuData>();
        wchar_t text[256] = {};
        GetMenuStringW(m_hMenu, static_cast<UINT>(position), text, 255, MF_BYPOSITION);
        data->SetWideText(text);
        const UINT_PTR id = info.hSubMenu ? reinterpret_cast<UINT_PTR>(info.hSubMenu) : info.wID;
        data->flags = MF_OWNERDRAW | (info.hSubMenu ? MF_POPUP : 0) | ((info.fType & MFT_SEPARATOR) ? MF_SEPARATOR : 0);
        data->commandId = id;
        data->globalImageOffset = FindGlobalImage(id);
        ModifyMenuW(m_hMenu, static_cast<UINT>(position), MF_BYPOSITION | data->flags, id,
                    reinterpret_cast<LPCWSTR>(data.get()));
        rebuilt.push_back(std::move(data));
    }
    m_items = std::move(rebuilt);
}

void TRMenu::ResyncPopupTexts() {
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const TRMenuData& item = *m_items[i];
        if (!(item.flags & MF_POPUP)) continue;
        ModifyMenuW(m_hMenu, static_cast<UINT>(i), MF_BYPOSITION | MF_POPUP | MF_OWNERDRAW, item.commandId,
                    reinterpret_cast<LPCWSTR>(&item));
    }
}

void TRMenu::AlignAcceleratorColumn() {
    std::size_t widest = 0;
    for (const auto& item : m_items) {
        const std::size_t tab = item->text.find(L'\t');
        if (tab != std::wstring::npos) widest = std::max(widest, tab);
    }
    for (auto& item : m_items) {
        const std::size_t tab = item->text.find(L'\t');
        if (tab != std::wstring::npos && tab < widest) item->text.insert(tab, widest - tab, L' ');
    }
}

// ---- images ------------------------------------------------------------------

int TRMenu::CountDibColors(const BITMAPINFOHEADER& header) {
    if (header.biClrUsed) return static_cast<int>(header.biClrUsed);
    switch (header.biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

HBITMAP TRMenu::LoadMappedBitmap(UINT resourceId) {
    HINSTANCE module = CWinApp::ResourceHandle();
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (!resource) return nullptr;
    HGLOBAL loaded = LoadResource(module, resource);
    const auto* header = loaded ? static_cast<const BITMAPINFOHEADER*>(LockResource(loaded)) : nullptr;
    if (!header || SizeofResource(module, resource) < sizeof(BITMAPINFOHEADER)) return nullptr;
    const UINT mapping = CountDibColors(*header) == 16 ? LR_LOADMAP3DCOLORS : 0;
    return static_cast<HBITMAP>(
        LoadImageA(module, MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | mapping));
}

COLORREF TRMenu::BlendTowardWhite(COLORREF colour, double factor) {
    if (!(factor > 0.0 && factor <= 1.0)) return colour;
    auto lift = [factor](int channel) { return static_cast<int>(channel + factor * (255 - channel)); };
    return RGB(lift(GetRValue(colour)), lift(GetGValue(colour)), lift(GetBValue(colour)));
}

// ---- measuring and drawing --------------------------------------------------------

void TRMenu::MeasureItem(MEASUREITEMSTRUCT* item) {
    const TRMenuData* data = reinterpret_cast<const TRMenuData*>(item->itemData);
    if (!data) return;
    const bool flat = m_drawMode == 1;
    const int gap = GapFor(flat);
    if (data->flags & MF_SEPARATOR) {
        item->itemWidth = 0;
        item->itemHeight = static_cast<UINT>(std::max<int>(GetSystemMetrics(SM_CYMENU) / 2, (m_imageHeight + gap) / 2));
        return;
    }
    SIZE extent{};
    {
        CWindowDC screen(nullptr);
        HFONT font = WindowsVersionCode() > 1 ? MenuFont() : nullptr;
        CSelectObject selected(screen, font);
        GetTextExtentPoint32W(screen, data->text.c_str(), static_cast<int>(data->text.size()), &extent);
        if (font) {
            SelectObject(screen, GetStockObject(SYSTEM_FONT));
            DeleteObject(font);
        }
    }
    item->itemWidth = static_cast<UINT>(flat ? extent.cx + m_imageWidth + gap + 8 : extent.cx + 2 * m_imageWidth + 1);
    item->itemHeight = static_cast<UINT>(std::max(GetSystemMetrics(SM_CYMENU), m_imageHeight + gap));
}

void TRMenu::DrawItem(DRAWITEMSTRUCT* item) {
    const TRMenuData* data = reinterpret_cast<const TRMenuData*>(item->itemData);
    if (!data) return;
    CDC dc(item->hDC);
    const bool classic = (GetDeviceCaps(item->hDC, RASTERCAPS) & RC_PALETTE) || m_drawMode == 0;
    if (classic) {
        DrawClassic(dc, *item, *data);
    } else {
        DrawFlat(dc, *item, *data);
    }
}

void TRMenu::DrawCheckMark(CDC& dc, int x, int y, COLORREF colour) {
    // A 7-column tick.
    static const int kRows[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int column = 0; column < 7; ++column) dc.FillSolidRect(x + column, y + kRows[column], 1, 3, colour);
}

void TRMenu::DrawRadioDot(CDC& dc, int x, int y, COLORREF colour) {
    // A 6 x 6 dot with its corners cut.
    dc.FillSolidRect(x + 1, y, 4, 6, colour);
    dc.FillSolidRect(x, y + 1, 6, 4, colour);
}

void TRMenu::DrawCheckedMark(CDC& dc, const DRAWITEMSTRUCT& item, const RECT& box, POINT tickOffset, bool selected) {
    const int checkImage = selected ? m_checkImageSelected : m_checkImageUnselected;
    int width = 0, height = 0;
    if (checkImage >= 0 && m_imageList && ImageList_GetIconSize(m_imageList, &width, &height)) {
        const int x = box.left + ((box.right - box.left) - width) / 2;
        const int y = box.top + ((box.bottom - box.top) - height) / 2;
        ImageList_Draw(m_imageList, checkImage, dc, x, y, ILD_NORMAL);
        return;
    }
    const COLORREF colour = GetSysColor(COLOR_MENUTEXT);
    if (CarriesCheckBitmap(item)) {
        DrawRadioDot(dc, box.left + 5, box.top + 4, colour);
    } else {
        DrawCheckMark(dc, box.left + tickOffset.x, box.top + tickOffset.y, colour);
    }
}

void TRMenu::DrawImage(CDC& dc, int index, int x, int y, bool disabled) {
    if (disabled) {
        MenuImageVariants::Emboss(dc, Globals().images, index, x, y);
    } else {
        ImageList_Draw(Globals().images, index, dc, x, y, ILD_NORMAL);
    }
}

void TRMenu::DrawItemText(CDC& dc, const TRMenuData& data, RECT rect, COLORREF colour, bool emboss) {
    const std::size_t tab = data.text.find(L'\t');
    const std::wstring left = data.text.substr(0, tab);
    const std::wstring right = tab == std::wstring::npos ? std::wstring() : data.text.substr(tab + 1);
    auto draw = [&](RECT where, COLORREF textColour) {
        dc.SetTextColor(textColour);
        dc.DrawTextW(left, where, DT_VCENTER | DT_SINGLELINE | DT_LEFT);
        if (!right.empty()) {
            RECT accelerator = where;
            accelerator.right -= m_imageWidth;
            dc.DrawTextW(right, accelerator, DT_VCENTER | DT_SINGLELINE | DT_RIGHT);
        }
    };
    dc.SetBkMode(TRANSPARENT);
    if (emboss) {
        RECT raised = rect;
        OffsetRect(&raised, 1, 1);
        draw(raised, GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    draw(rect, colour);
}

void TRMenu::DrawClassic(CDC& dc, const DRAWITEMSTRUCT& item, const TRMenuData& data) {
    const RECT& r = item.rcItem;
    const COLORREF background = GetSysColor(UsesXpLook() ? COLOR_BTNFACE : COLOR_MENU);
    dc.FillSolidRect(r, background);
    if (data.flags & MF_SEPARATOR) {
        RECT line = r;
        line.top += (r.bottom - r.top) / 2;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool checked = (item.itemState & ODS_CHECKED) != 0;
    const bool disabled = (item.itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
    const bool hasImage = data.globalImageOffset >= 0 && Globals().images;
    if (selected) {
        RECT fill = r;
        if (hasImage || checked) fill.left += m_imageWidth + 5;
        dc.FillSolidRect(fill, GetSysColor(COLOR_HIGHLIGHT));
    }
    const int itemHeight = r.bottom - r.top;
    const int boxTop = r.top + std::max(0, (itemHeight - m_imageHeight - 4) / 2);
    RECT box{r.left, boxTop, r.left + m_imageWidth + 4, boxTop + m_imageHeight + 4};
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    if (hasImage) {
        if (checked) {
            if (!selected) dc.FillSolidRect(box, BlendTowardWhite(background, 0.6));
            dc.Draw3dRect(box, shadow, light);
        } else if (selected) {
            dc.Draw3dRect(box, light, shadow);
        }
        DrawImage(dc, data.globalImageOffset, box.left + 2, box.top + 2, disabled);
    } else if (checked) {
        dc.FillSolidRect(box, selected ? background : BlendTowardWhite(background, 0.6));
        dc.Draw3dRect(box, shadow, light);
        DrawCheckedMark(dc, item, box, {4, 4}, selected);
    }
    RECT text{r.left + m_imageWidth + 9, r.top - 1, r.right, r.bottom - 1};
    COLORREF colour = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    if (disabled) colour = selected ? background : GetSysColor(COLOR_GRAYTEXT);
    DrawItemText(dc, data, text, colour, disabled && !selected);
}

void TRMenu::DrawFlat(CDC& dc, const DRAWITEMSTRUCT& item, const TRMenuData& data) {
    const bool xp = UsesXpLook();
    const int gap = GapFor(true);
    const RECT& r = item.rcItem;
    const bool disabled = (item.itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
    const bool selected = (item.itemState & ODS_SELECTED) != 0 && !disabled;
    const bool checked = (item.itemState & ODS_CHECKED) != 0;
    const COLORREF band = xp ? GetSysColor(COLOR_BTNFACE) : BlendTowardWhite(GetSysColor(COLOR_BTNFACE), 0.25);
    const COLORREF body = GetSysColor(COLOR_WINDOW);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const int bandWidth = m_imageWidth + gap;

    TRMenuMemDC composed(dc, r);
    HFONT font = disabled ? MenuFont() : nullptr;
    CSelectObject fontSelected(composed, font);
    RECT bandRect{r.left, r.top, r.left + bandWidth, r.bottom};
    RECT bodyRect{r.left + bandWidth, r.top, r.right, r.bottom};
    if (selected) {
        composed.FillSolidRect(r, BlendTowardWhite(highlight, xp ? 0.7 : 0.85));
        FrameColour(composed, r, highlight);
    } else {
        composed.FillSolidRect(bodyRect, body);
        composed.FillSolidRect(bandRect, band);
    }
    if (data.flags & MF_SEPARATOR) {
        RECT line{r.left + bandWidth + gap, r.top + (r.bottom - r.top) / 2, r.right, r.bottom};
        DrawEdge(composed, &line, EDGE_ETCHED, BF_TOP);
    } else {
        const bool hasImage = data.globalImageOffset >= 0 && Globals().images;
        const int x = r.left + std::max<int>(0, (bandWidth - m_imageWidth + 1) / 2);
        const int y = r.top + std::max<int>(0, (r.bottom - r.top - m_imageHeight + 1) / 2);
        if (hasImage) {
            const int image = data.globalImageOffset;
            const bool variants = HasThreeVariants(image);
            if (checked) {
                RECT box{x - 2, y - 2, x + m_imageWidth + 2, y + m_imageHeight + 2};
                if (!selected) FillRectColour(composed, box, BlendTowardWhite(highlight, 0.85));
                FrameColour(composed, box, highlight);
                DrawImage(composed, image, x - 1, y - 1, disabled);
            } else if (selected) {
                // Lifted: the shadow one pixel right and down, the image one left and up.
                if (variants) DrawImage(composed, image + MenuImageVariants::kShadow, x + 1, y + 1, false);
                DrawImage(composed, image, x - 1, y - 1, false);
            } else {
                DrawImage(composed, (variants && !disabled) ? image + MenuImageVariants::kFaded : image, x, y,
                          disabled);
            }
        } else if (checked) {
            const int boxLeft = r.left + (bandWidth - 16) / 2, boxTop = r.top + (r.bottom - r.top - 16) / 2;
            RECT box{boxLeft, boxTop, boxLeft + 16, boxTop + 16};
            FillRectColour(composed, box, BlendTowardWhite(highlight, 0.85));
            FrameColour(composed, box, highlight);
            DrawCheckedMark(composed, item, box, {5, 4}, selected);
        }
        RECT text{r.left + bandWidth + 8, r.top - 1, r.right, r.bottom - 1};
        COLORREF colour = GetSysColor(COLOR_MENUTEXT);
        if (disabled) colour = xp ? GetSysColor(COLOR_GRAYTEXT) : BlendTowardWhite(GetSysColor(COLOR_GRAYTEXT), 0.4);
        DrawItemText(composed, data, text, colour, false);
    }
    if (font) {
        SelectObject(composed, GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
    }
}

// ---- off-screen item ----------------------------------------------------------

TRMenuMemDC::TRMenuMemDC(HDC target, const RECT& rect)
    : m_target(target), m_rect(rect), m_memoryDC(GetDeviceCaps(target, TECHNOLOGY) != DT_RASPRINTER) {
    if (!m_memoryDC) {
        m_hDC = target;
        return;
    }
    m_hDC = CreateCompatibleDC(target);
    m_bitmap = CreateCompatibleBitmap(target, rect.right - rect.left, rect.bottom - rect.top);
    if (!m_hDC || !m_bitmap) {
        if (m_hDC) DeleteDC(m_hDC);
        if (m_bitmap) DeleteObject(m_bitmap);
        m_bitmap = nullptr;
        m_hDC = target;
        m_memoryDC = false;
        return;
    }
    m_previous = ::SelectObject(m_hDC, m_bitmap);
    SetWindowOrgEx(m_hDC, rect.left, rect.top, nullptr);
    ::SelectObject(m_hDC, GetCurrentObject(target, OBJ_FONT));
}

TRMenuMemDC::~TRMenuMemDC() {
    if (!m_memoryDC) return;
    ::BitBlt(m_target, m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top, m_hDC,
           m_rect.left, m_rect.top, SRCCOPY);
    ::SelectObject(m_hDC, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_hDC);
}
