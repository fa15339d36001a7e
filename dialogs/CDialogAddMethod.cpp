// The add-method dialog: lists the method directory's "*.m" entries with their FIA state read from
// each FIA.REG through the host's register classes, and shows the FIA table of a method.
#include "CDialogAddMethod.h"

#include "module/core/ModuleSettings.h"
#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"

#include "orvane/CDopTable.h"
#include "orvane/CRegLockSemaphore.h"
#include "orvane/CbVialLocation.h"
#include "orvane/RegApi.h"

#include "kernel/FileApi.h"
#include "win/afx/DDX.h"

#include <algorithm>

namespace {

constexpr DWORD kAddMethodHelpContext = 101903;
constexpr int kMinSamples = 1;
constexpr int kMaxSamples = 999;
constexpr int kImageFia = 0;
constexpr int kImageNoFia = 1;

// Every method's register is loaded under this one temporary name, one at a time.
constexpr const wchar_t* kFiaRegisterName = L"FIAREG_4_SERION";

constexpr UINT WM_SHOW_FIA_PROBLEMS = WM_APP + 1;

// What keeps a FIA.REG that is there from being used, for the user to mend it.
std::wstring FiaRegisterProblem(const std::wstring& strFile, SHORT nLoadStatus, SHORT nTableStatus)
{
    if (nLoadStatus == REG_ERR_SYNTAX)
        return RegLastLoadError();
    if (nLoadStatus != REG_OK)
        return strFile + L": the file cannot be read";
    if (nTableStatus == REG_ERR_NO_OBJECT)
        return strFile + L": it holds no object";
    if (nTableStatus == REG_ERR_NO_TABLE)
        return strFile + L": it has no table FIATable";
    // The register could not be used for reasons of its own, not of the file.
    return L"";
}

} // namespace

BEGIN_MESSAGE_MAP(CDialogAddMethod, CDialogBase)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_METHODS, &CDialogAddMethod::OnMethodChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_METHODS, &CDialogAddMethod::OnMethodsChosen)
    // The list takes Enter for itself; on it Enter is OK, as a double click is.
    ON_NOTIFY(NM_RETURN, IDC_METHODS, &CDialogAddMethod::OnMethodsChosen)
    ON_COMMAND(IDHELP, &CDialogAddMethod::OnHelp)
    ON_MESSAGE(WM_SHOW_FIA_PROBLEMS, &CDialogAddMethod::OnShowFiaProblems)
END_MESSAGE_MAP()

CDialogAddMethod::CDialogAddMethod(CWnd* pParent) : CDialogBase(IDD_ADD_METHOD, pParent) {}

void CDialogAddMethod::DoDataExchange(CDataExchange* pDX)
{
    CDialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SAMPLES_SPIN, m_spinSamples);
    DDX_Control(pDX, IDC_FIA_TABLE, m_listFiaTable);
    DDX_Control(pDX, IDC_METHODS, m_listMethods);
    DDX_Text(pDX, IDC_METHOD_PATH, m_strMethodPath);
    DDX_Text(pDX, IDC_SAMPLES, m_nSamples);
    DDV_MinMaxInt(pDX, m_nSamples, kMinSamples, kMaxSamples);
}

BOOL CDialogAddMethod::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    m_spinSamples.SetRange32(kMinSamples, kMaxSamples);
    m_imageList.Create(IDB_METHOD_IMAGES, 16, 2, RGB(255, 255, 255));
    m_listMethods.SetImageList(&m_imageList, LVSIL_SMALL);
    m_listFiaTable.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    m_listFiaTable.InsertColumn(0, ModuleString(IDS_LOCATION).c_str(), LVCFMT_RIGHT, 70);
    m_listFiaTable.InsertColumn(1, ModuleString(IDS_FIA_SAMPLE_NAME).c_str(), LVCFMT_LEFT, 270);
    m_listFiaTable.InsertColumn(2, ModuleString(IDS_INJECTIONS_PER_LOCATION).c_str(), LVCFMT_RIGHT, 60);
    ListMethods();
    m_arrMethods.clear();
    if (!m_strFiaProblems.empty())
        PostMessage(WM_SHOW_FIA_PROBLEMS);
    return TRUE;
}

LRESULT CDialogAddMethod::OnShowFiaProblems(WPARAM, LPARAM)
{
    const std::wstring strText = ModuleString(IDS_FIA_REGISTER_UNUSABLE) + m_strFiaProblems;
    MessageBox(strText.c_str(), ModuleString(IDS_CAPTION).c_str(), MB_OK | MB_ICONEXCLAMATION);
    return 0;
}

void CDialogAddMethod::ListMethods()
{
    std::wstring strFolder = m_strMethodPath;
    while (!strFolder.empty() && (strFolder.back() == L'\\' || strFolder.back() == L'/'))
        strFolder.pop_back();
    WIN32_FIND_DATAW found{};
    const HANDLE hSearch = ::FindFirstFileW((strFolder + L"\\*.m").c_str(), &found);
    if (hSearch == INVALID_HANDLE_VALUE)
        return;
    do {
        CFIATable* pTable = nullptr;
        std::wstring strProblem;
        const int nFia = ReadFiaRegister(strFolder + L"\\" + found.cFileName, &pTable, &strProblem);
        if (!strProblem.empty())
            m_strFiaProblems += L"\n" + std::wstring(found.cFileName) + L": " + strProblem;
        if (pTable)
            m_listTables.emplace_back(pTable);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = m_listMethods.GetItemCount();
        item.pszText = found.cFileName;
        item.iImage = nFia ? kImageFia : kImageNoFia;
        const int nItem = m_listMethods.InsertItem(&item);
        if (nItem >= 0)
            m_listMethods.SetItemData(nItem, reinterpret_cast<DWORD_PTR>(pTable));
    } while (::FindNextFileW(hSearch, &found));
    ::FindClose(hSearch);
}

int CDialogAddMethod::ReadFiaRegister(const std::wstring& strMethodPath, CFIATable** ppTable, std::wstring* pstrProblem)
{
    int nResult = 0;
    USHORT nFiaEnabled = 0;
    const std::wstring strFile = strMethodPath + L"\\FIA.REG";
    CRegLockSemaphore lock;
    REGDESCSTRUCT desc{};
    CDopTable table;
    if (lock.LockWrite(kFiaRegisterName, nullptr, 1) == REG_OK) {
        lock.GetRegDescStruct(&desc);
        const SHORT nLoadStatus = RegLoadFile(strFile.c_str(), 1, 1, desc.hRegister, 0);
        SHORT nTableStatus = nLoadStatus;
        if (nLoadStatus == REG_OK && (nTableStatus = table.SetLockAccess(&lock)) == REG_OK &&
            (nTableStatus = table.GetFirstObj()) == REG_OK && (nTableStatus = table.Capture(1, L"FIATable")) == REG_OK) {
            table.GetHdrNVUShort(L"FIAEnabled", &nFiaEnabled);
            if (nFiaEnabled) {
                nResult = 1;
                if (ppTable)
                    ReadFiaRows(table, ppTable);
            }
        } else if (pstrProblem && ::GetFileAttributesW(strFile.c_str()) != INVALID_FILE_ATTRIBUTES) {
            *pstrProblem = FiaRegisterProblem(strFile, nLoadStatus, nTableStatus);
        }
    }
    table.Release();
    lock.Unlock();
    // The temporary register goes, so that the next method's file loads into an empty one.
    if (desc.hRegister)
        RegFree(UtFindRegister(RegGetCpSpace(ModuleSettings.hCpContext, 1), &desc));
    return nResult;
}

void CDialogAddMethod::ReadFiaRows(CDopTable& table, CFIATable** ppTable)
{
    const USHORT nRows = table.GetRowMax();
    if (nRows == 0)
        return;
    auto* pTable = new CFIATable(nRows);
    *ppTable = pTable;
    for (USHORT nRow = 1; nRow <= nRows; ++nRow) {
        table.GetSafeLong(nRow, L"VIALNUMBER", &pTable->m_pVialNumber[nRow - 1]);
        table.GetSafeLong(nRow, L"INJPERVIAL", &pTable->m_pInjPerVial[nRow - 1]);
        table.GetSafeString(nRow, L"SAMPLENAME", &pTable->m_pSampleName[nRow - 1]);
    }
}

void CDialogAddMethod::OnMethodChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pChange = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    const auto* pTable = reinterpret_cast<const CFIATable*>(m_listMethods.GetItemData(pChange->iItem));
    // Only a table this dialog read is shown.
    const bool bKnown = std::any_of(m_listTables.begin(), m_listTables.end(),
                                    [pTable](const auto& pHeld) { return pHeld.get() == pTable; });
    ShowFiaTable(bKnown ? pTable : nullptr);
    *pResult = 0;
}

void CDialogAddMethod::ShowFiaTable(const CFIATable* pTable)
{
    m_listFiaTable.DeleteAllItems();
    if (!pTable)
        return;
    for (int nRow = 0; nRow < pTable->m_nRows; ++nRow) {
        WCHAR szLocation[20]{};
        CbVialLocation(pTable->m_pVialNumber[nRow], szLocation, 20, 0);
        const int nItem = m_listFiaTable.InsertItem(nRow, szLocation);
        m_listFiaTable.SetItemText(nItem, 1, pTable->m_pSampleName[nRow].c_str());
        m_listFiaTable.SetItemText(nItem, 2, std::to_wstring(pTable->m_pInjPerVial[nRow]).c_str());
    }
}

void CDialogAddMethod::OnMethodsChosen(NMHDR*, LRESULT* pResult)
{
    OnOK();
    *pResult = 0;
}

void CDialogAddMethod::OnOK()
{
    m_arrMethods.clear();
    for (int nItem = m_listMethods.GetNextItem(-1, LVNI_SELECTED); nItem != -1;
         nItem = m_listMethods.GetNextItem(nItem, LVNI_SELECTED))
        m_arrMethods.push_back(m_listMethods.GetItemText(nItem, 0));
    CDialogBase::OnOK();
}

void CDialogAddMethod::OnHelp() { ShowHelp(kAddMethodHelpContext); }
