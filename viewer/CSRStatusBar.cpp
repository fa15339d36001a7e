// The status bar's panes, the system status and its colours, and the painting of the logo and
// status panes.
#include "CSRStatusBar.h"

#include "module/core/FittingText.h"
#include "module/core/ModuleSettings.h"
#include "module/core/ModuleString.h"
#include "orvane/Nls.h"
#include "resources/ResourceIds.h"

#include "kernel/WinFormat.h"

#include <algorithm>
#include <vector>

namespace {

// The panes: the logo, the system status, the message pane that takes the room left, and the
// logged-on user, empty and without width while access control is off.
constexpr UINT kIndicators[] = {1, 2, 3, 4};
constexpr int kLogoPane = 0;
constexpr int kStatusPane = 1;
constexpr int kMessagePane = 2;
constexpr int kUserPane = 3;
constexpr int kStatusPaneWidth = 100;

// The host's texts of the status pane.
constexpr UINT kInitialStatus = 17005;
constexpr UINT kOfflineStatus = 17006;
constexpr UINT kUnknownStatus = 17007;

constexpr COLORREF kBlack = 0x000000;

// The messages of the string table that have a short form for a narrow window.
struct ShortForm {
    UINT nID;
    UINT nShortID;
};
constexpr ShortForm kShortForms[] = {
    {IDS_WAITING_FOR_INSTRUMENT, IDS_WAITING_FOR_INSTRUMENT_SHORT},
};
constexpr COLORREF kWhite = 0xFFFFFF;

std::wstring HostText(UINT nID, int nCapacity)
{
    std::vector<WCHAR> buffer(static_cast<std::size_t>(nCapacity), L'\0');
    NlsLoadString(AfxGetResourceHandle(), nID, buffer.data(), nCapacity);
    return buffer.data();
}

// The fields between "|" separators; empty fields do not count.
std::vector<std::wstring> SplitFields(const std::wstring& text)
{
    std::vector<std::wstring> fields;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(L'|', start), text.size());
        if (end > start)
            fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

} // namespace

BOOL CSRStatusBar::Create(CWnd* pParent)
{
    if (!CStatusBar::Create(pParent, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM | CBRS_TOOLTIPS))
        return FALSE;
    ShowWindow(SW_SHOW);
    SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators)));
    SetBorders(2, 1, 2, 1);
    SetPaneInfo(kLogoPane, kIndicators[kLogoPane], SBPS_OWNERDRAW, 105);
    SetPaneInfo(kStatusPane, kIndicators[kStatusPane], SBPS_OWNERDRAW, kStatusPaneWidth);
    // Owner-drawn, so that the message shows in the form the pane has room for.
    SetPaneInfo(kMessagePane, kIndicators[kMessagePane], SBPS_OWNERDRAW | SBPS_STRETCH, 100);
    SetPaneInfo(kUserPane, kIndicators[kUserPane], SBPS_NORMAL, 0);
    SendMessage(SB_SETMINHEIGHT, 24);
    m_bmpLogo.LoadBitmap(IDB_LOGO);
    SetStatusText(HostText(kInitialStatus, 15));
    m_crBack = ::GetSysColor(COLOR_BTNFACE);
    m_crText = kBlack;
    return TRUE;
}

void CSRStatusBar::SetMessageText(LPCWSTR lpszText) { SetMessageForms({lpszText ? lpszText : L""}); }

void CSRStatusBar::SetMessageTextId(UINT nID)
{
    std::vector<WCHAR> buffer(120, L'\0');
    NlsLoadString(AfxGetResourceHandle(), nID, buffer.data(), 120);
    std::vector<std::wstring> forms{buffer.data()};
    // A message too long for an 80-column window has a short form beside it.
    if (const auto shortForm = std::ranges::find(kShortForms, nID, &ShortForm::nID); shortForm != std::end(kShortForms))
        forms.push_back(ModuleString(shortForm->nShortID));
    SetMessageForms(std::move(forms));
}

void CSRStatusBar::SetMessageForms(std::vector<std::wstring> forms)
{
    if (forms.empty())
        forms.emplace_back();
    m_messageForms = std::move(forms);
    SetPaneText(kMessagePane, m_messageForms.front().c_str());
    Invalidate(TRUE);
}

void CSRStatusBar::ShowLoggedOnUser()
{
    const bool bShown = ModuleSettings.bControl && !ModuleSettings.strUserName.empty();
    const std::wstring strText =
        bShown ? FormatWin(ModuleString(IDS_LOGGED_ON).c_str(), ModuleSettings.strUserName.c_str()) : std::wstring();
    const int nWidth = bShown ? static_cast<int>(strText.size() + 1) * LOWORD(::GetDialogBaseUnits()) : 0;
    SetPaneInfo(kUserPane, kIndicators[kUserPane], SBPS_NORMAL, nWidth);
    SetPaneText(kUserPane, strText.c_str());
}

void CSRStatusBar::ShowSystemStatus(std::wstring strText)
{
    if (!ModuleSettings.bOnline) {
        SetStatusText(HostText(kOfflineStatus, 30));
        m_crBack = 0x404040;
        m_crText = kWhite;
        return;
    }
    SetStatusText(HostText(kUnknownStatus, 30));
    m_crBack = ::GetSysColor(COLOR_BTNFACE);

    const std::vector<std::wstring> fields = SplitFields(strText);
    if (fields.size() < 3)
        return;
    m_crText = kBlack;
    // The third field is "ST:" and the colour's letter.
    struct Colours {
        WCHAR letter;
        COLORREF back;
        COLORREF text;
    };
    constexpr Colours colours[] = {
        {L'B', 0xFF0000, kWhite}, {L'C', 0xFFFF00, kBlack}, {L'G', 0x00FF00, kBlack}, {L'M', 0xFF00FF, kWhite},
        {L'R', 0x0000FF, kWhite}, {L'W', 0xFFFFFF, kBlack}, {L'Y', 0x00FFFF, kBlack},
    };
    if (fields[2].size() >= 4) {
        for (const Colours& colour : colours)
            if (fields[2][3] == colour.letter) {
                m_crBack = colour.back;
                m_crText = colour.text;
            }
    }
    if (fields.size() < 4)
        return;
    SetStatusText(L" " + fields[3]);
    Invalidate(TRUE);
    UpdateWindow();
}

void CSRStatusBar::SetStatusText(std::wstring strText)
{
    m_strStatus = std::move(strText);
    // Measured at the dialog font's average character width, with a blank's room to spare.
    const int nTextWidth = static_cast<int>(m_strStatus.size() + 1) * LOWORD(::GetDialogBaseUnits());
    SetPaneInfo(kStatusPane, kIndicators[kStatusPane], SBPS_OWNERDRAW, std::max(kStatusPaneWidth, nTextWidth));
}

void CSRStatusBar::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    RECT rect = lpDrawItemStruct->rcItem;
    switch (lpDrawItemStruct->itemID) {
    case kLogoPane: {
        CDC memDC;
        if (!memDC.CreateCompatibleDC(pDC))
            return;
        CBitmap* pOldBitmap = memDC.SelectObject(&m_bmpLogo);
        BITMAP bitmap{};
        m_bmpLogo.GetBitmap(&bitmap);
        pDC->BitBlt(rect.left, rect.top, std::min<LONG>(bitmap.bmWidth, rect.right - rect.left),
                    std::min<LONG>(bitmap.bmHeight, rect.bottom - rect.top), &memDC, 0, 0, SRCCOPY);
        memDC.SelectObject(pOldBitmap);
        break;
    }
    case kStatusPane:
        pDC->FillSolidRect(&rect, m_crBack);
        pDC->SetTextColor(m_crText);
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(m_strStatus, &rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        break;
    case kMessagePane: {
        pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        pDC->SetBkMode(TRANSPARENT);
        const std::wstring strShown = FittingText(pDC->m_hDC, m_messageForms, rect.right - rect.left);
        pDC->DrawText(strShown, &rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        break;
    }
    default:
        break;
    }
}
