#include "CKitCustomizeSheet.h"

#include "ButtonImageClipboard.h"
#include "ButtonImageEditing.h"
#include "CKitCommandBars.h"
#include "CKitControlEdit.h"
#include "CKitControls.h"
#include "CToolkitResources.h"
#include "ResourceIds.h"

namespace
{
constexpr UINT kSheetTitle = 9312;     // "Customize"
constexpr UINT kCloseText = 9307;      // "Close"
constexpr UINT kAllCommands = 9337;    // "All Commands"
constexpr int kMaxMenuDepth = 8;       // popups inside popups, far more than menus nest
constexpr int kNameFieldWidth = 120;

CString ToolkitString(UINT nId)
{
    CString str;
    GetToolkitResources()->LoadString(str, nId);
    return str;
}

// A caption as a category name: without "&" markers and the shortcut part.
CString PlainName(CString str)
{
    const int nTab = str.Find(L'\t');
    if (nTab >= 0)
        str = str.Left(nTab);
    CString strPlain;
    for (int i = 0; i < str.GetLength(); ++i)
    {
        if (str[i] == L'&')
        {
            if (i + 1 < str.GetLength() && str[i + 1] == L'&')
                strPlain += L'&';
            ++i;
            if (i < str.GetLength() && str[i] != L'&')
                strPlain += str[i];
            continue;
        }
        strPlain += str[i];
    }
    return strPlain;
}

BOOL IsCommandControl(CKitControl* pControl)
{
    return pControl->GetId() > 0 && !pControl->IsTemporary() &&
           (pControl->GetFlags() & kControlFlagNotCustomizable) == 0 && pControl->GetType() != kControlPopup &&
           pControl->GetType() != kControlLabel;
}

BOOL IsImageType(CKitControl* pControl)
{
    return pControl->GetType() >= kControlButton && pControl->GetType() <= kControlSplitButtonPopup;
}
}  // namespace

CKitCustomizeSheet::CKitCustomizeSheet(CKitCommandBars* pCommandBars)
    : CPropertySheet(ToolkitString(kSheetTitle), pCommandBars->GetSite()), m_pCommandBars(pCommandBars)
{
    AddPage(&m_pageCommands);
    AddPage(&m_pageToolbars);
    AddPage(&m_pageKeyboard);
    AddPage(&m_pageOptions);
}

CKitCustomizeSheet::~CKitCustomizeSheet()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
    {
        m_bAutoDelete = FALSE;
        DestroyWindow();
    }
    for (Category& category : m_categories)
        category.pControls->InternalRelease();
}

int CKitCustomizeSheet::AddCategory(const CString& strName)
{
    for (int i = 0; i < GetCategoryCount(); ++i)
    {
        if (m_categories[static_cast<size_t>(i)].strName == strName)
            return i;
    }
    auto* pControls = new CKitControls;
    pControls->SetCommandBars(m_pCommandBars);
    m_categories.push_back(Category{strName, pControls});
    return GetCategoryCount() - 1;
}

void CKitCustomizeSheet::AddCategoryControl(int nCategory, CKitControl* pControl)
{
    CKitControls* pControls = GetCategoryControls(nCategory);
    if (pControls == nullptr || pControls->FindControl(pControl->GetId()) != nullptr)
        return;
    CKitControl* pCopy = pControls->AddCopy(pControl, -1, TRUE);
    pCopy->m_bBeginGroup = FALSE;
    pCopy->m_dwHideFlags = 0;
    pCopy->m_bEnabled = TRUE;
}

CString CKitCustomizeSheet::GetCategoryName(int nCategory) const
{
    return nCategory >= 0 && nCategory < GetCategoryCount() ? m_categories[static_cast<size_t>(nCategory)].strName
                                                           : CString();
}

CKitControls* CKitCustomizeSheet::GetCategoryControls(int nCategory) const
{
    return nCategory >= 0 && nCategory < GetCategoryCount() ? m_categories[static_cast<size_t>(nCategory)].pControls
                                                           : nullptr;
}

void CKitCustomizeSheet::CollectControls(CKitControls* pControls, int nCategory, int nAllCategory, int nDepth)
{
    if (pControls == nullptr || nDepth > kMaxMenuDepth)
        return;
    for (int i = 0; i < pControls->GetCount(); ++i)
    {
        CKitControl* pControl = pControls->GetAt(i);
        if (CKitCommandBar* pPopup = pControl->GetCommandBar())
            CollectControls(pPopup->GetControls(), nCategory, nAllCategory, nDepth + 1);
        if (!IsCommandControl(pControl))
            continue;
        const int nOwn = pControl->m_strCategory.IsEmpty() ? nCategory : AddCategory(pControl->m_strCategory);
        AddCategoryControl(nOwn, pControl);
        AddCategoryControl(nAllCategory, pControl);
    }
}

void CKitCustomizeSheet::BuildCategoriesFromBars()
{
    std::vector<std::pair<CString, CKitControls*>> sources;
    for (int i = 0; i < m_pCommandBars->GetCount(); ++i)
    {
        CKitCommandBar* pBar = m_pCommandBars->GetAt(i);
        if (pBar->GetType() == kBarTypeMenuBar)
        {
            // Each menu of the menu bar is a category of its own.
            CKitControls* pMenus = pBar->GetControls();
            for (int j = 0; j < pMenus->GetCount(); ++j)
            {
                CKitControl* pMenu = pMenus->GetAt(j);
                if (CKitCommandBar* pPopup = pMenu->GetCommandBar())
                    sources.emplace_back(PlainName(pMenu->GetCaption()), pPopup->GetControls());
            }
        }
        else if (!pBar->GetTitle().IsEmpty())
        {
            sources.emplace_back(pBar->GetTitle(), pBar->GetControls());
        }
    }
    std::vector<int> indexes;
    for (const auto& source : sources)
        indexes.push_back(AddCategory(source.first));
    const int nAll = AddCategory(ToolkitString(kAllCommands));
    for (size_t i = 0; i < sources.size(); ++i)
        CollectControls(sources[i].second, indexes[i], nAll, 0);
}

BOOL CKitCustomizeSheet::Create(CWnd* pParentWnd)
{
    if (GetCategoryCount() == 0)
        BuildCategoriesFromBars();
    CKitCommandBars::ClosePopups();
    m_pCommandBars->SetCustomizeMode(TRUE);
    m_pCommandBars->SetCustomizeSheet(this);
    m_pCommandBars->RecalcAllBars();
    if (!CPropertySheet::Create(pParentWnd != nullptr ? pParentWnd : m_pCommandBars->GetSite()))
    {
        m_pCommandBars->SetCustomizeSheet(nullptr);
        m_pCommandBars->SetCustomizeMode(FALSE);
        m_pCommandBars->RecalcAllBars();
        return FALSE;
    }
    // One button closes the sheet: what it changed is already on the bars.
    if (CWnd* pOk = GetDlgItem(IDOK))
        pOk->ShowWindow(SW_HIDE);
    SetDlgItemText(IDCANCEL, ToolkitString(kCloseText));
    ShowWindow(SW_SHOW);
    return TRUE;
}

LRESULT CKitCustomizeSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY && m_pCommandBars->GetCustomizeSheet() == this)
    {
        m_pCommandBars->SetCustomizeSheet(nullptr);
        m_pCommandBars->SetCustomizeMode(FALSE);
        m_pCommandBars->RecalcAllBars();
    }
    return CPropertySheet::WindowProc(message, wParam, lParam);
}

void CKitCustomizeSheet::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

void CKitCustomizeSheet::ShowControlMenu(CPoint ptScreen)
{
    CMenu menu;
    if (!GetToolkitResources()->LoadMenu(menu, IDR_KIT_CUSTOMIZE_MENU))
        return;
    HMENU hMenu = ::GetSubMenu(menu.m_hMenu, 0);
    CKitCommandBar* pPopup = hMenu != nullptr ? CKitCommandBars::NewPopupBar(m_pCommandBars) : nullptr;
    if (pPopup == nullptr)
        return;
    pPopup->FillFromMenu(hMenu, TRUE);
    // "Name:" is a field holding the selection's caption; Enter in it confirms.
    CKitControlEdit* pNameField = nullptr;
    CKitControls* pItems = pPopup->GetControls();
    if (CKitControl* pName = pItems->FindControl(ID_KIT_CUSTOMIZE_NAME))
    {
        const int nIndex = pName->GetIndex();
        const CString strLabel = pName->m_strCaption;
        const BOOL bGroup = pName->GetBeginGroup();
        pItems->Remove(pName);
        pNameField = dynamic_cast<CKitControlEdit*>(pItems->Add(kControlEdit, ID_KIT_CUSTOMIZE_NAME, CString(), nIndex));
        if (pNameField != nullptr)
        {
            pNameField->SetCaption(strLabel);
            pNameField->SetBeginGroup(bGroup);
            pNameField->SetWidth(kNameFieldWidth);
            if (CKitControl* pSelection = m_pCommandBars->GetDragControl())
                pNameField->SetEditText(pSelection->GetCaption());
            // Its text is read after the popup is gone.
            pNameField->InternalAddRef();
        }
    }
    const int nCommand = CKitCommandBars::RunPopupBar(pPopup, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON,
                                                      ptScreen.x, ptScreen.y, this, nullptr, this);
    CString strName;
    if (pNameField != nullptr)
    {
        strName = pNameField->GetEditText();
        pNameField->InternalRelease();
    }
    pPopup->InternalRelease();
    if (nCommand == static_cast<int>(ID_KIT_CUSTOMIZE_NAME))
    {
        SetSelectionName(strName);
    }
    else if (nCommand != 0 && !RunControlCommand(static_cast<UINT>(nCommand)))
    {
        // Other commands of the sheet's popups go to the site.
        CWnd* pSite = m_pCommandBars->GetSite();
        if (pSite != nullptr && ::IsWindow(pSite->m_hWnd) &&
            pSite->SendMessage(WM_COMMANDBAR_EXECUTE, static_cast<WPARAM>(nCommand), 0) == 0)
            pSite->SendMessage(WM_COMMAND, static_cast<WPARAM>(nCommand), 0);
    }
}

void CKitCustomizeSheet::SetSelectionName(const CString& strName)
{
    CKitControl* pControl = m_pCommandBars->GetDragControl();
    if (pControl == nullptr)
        return;
    // The program's own caption again needs no custom one.
    pControl->m_strCustomCaption = strName == pControl->m_strCaption ? CString() : strName;
    if (CKitCommandBar* pBar = pControl->GetParent())
    {
        pBar->OnRecalcLayout();
        m_pCommandBars->RecalcAllBars();
    }
}

void CKitCustomizeSheet::UpdateControlCommand(CCmdUI* pCmdUI)
{
    CKitControl* pControl = m_pCommandBars->GetDragControl();
    const BOOL bImageType = pControl != nullptr && IsImageType(pControl);
    switch (pCmdUI->m_nID)
    {
    case ID_KIT_CUSTOMIZE_RESET:
        pCmdUI->Enable(pControl != nullptr && (pControl->m_nCustomIconId != 0 || !pControl->m_strCustomCaption.IsEmpty() ||
                                               pControl->m_nCustomStyle != 0));
        break;
    case ID_KIT_CUSTOMIZE_DELETE:
        pCmdUI->Enable(pControl != nullptr);
        break;
    case ID_KIT_CUSTOMIZE_NAME:
        pCmdUI->Enable(pControl != nullptr);
        break;
    case ID_KIT_CUSTOMIZE_COPY_IMAGE:
        pCmdUI->Enable(bImageType && pControl->GetIcon(16) != nullptr);
        break;
    case ID_KIT_CUSTOMIZE_CHANGE_IMAGE:
        // The sheet offers no icon list to choose from.
        pCmdUI->Enable(FALSE);
        break;
    case ID_KIT_CUSTOMIZE_EDIT_IMAGE:
        // A control without a picture starts from an empty one.
        pCmdUI->Enable(bImageType);
        break;
    case ID_KIT_CUSTOMIZE_PASTE_IMAGE:
        pCmdUI->Enable(bImageType && CanPasteButtonImage());
        break;
    case ID_KIT_CUSTOMIZE_RESET_IMAGE:
        pCmdUI->Enable(pControl != nullptr && pControl->m_nCustomIconId != 0);
        break;
    case ID_KIT_CUSTOMIZE_DEFAULT_STYLE:
    case ID_KIT_CUSTOMIZE_TEXT_ONLY:
    case ID_KIT_CUSTOMIZE_IMAGE_AND_TEXT:
    {
        const int nStyle = pCmdUI->m_nID == ID_KIT_CUSTOMIZE_DEFAULT_STYLE ? 0
                           : pCmdUI->m_nID == ID_KIT_CUSTOMIZE_TEXT_ONLY  ? 1
                                                                         : 3;
        pCmdUI->Enable(bImageType);
        pCmdUI->SetRadio(pControl != nullptr && pControl->m_nCustomStyle == nStyle);
        break;
    }
    case ID_KIT_CUSTOMIZE_BEGIN_GROUP:
        pCmdUI->Enable(pControl != nullptr && pControl->GetIndex() > 0);
        pCmdUI->SetCheck(pControl != nullptr && pControl->GetBeginGroup());
        break;
    default:
        break;
    }
}

BOOL CKitCustomizeSheet::RunControlCommand(UINT nId)
{
    CKitControl* pControl = m_pCommandBars->GetDragControl();
    if (pControl == nullptr || nId < ID_KIT_CUSTOMIZE_RESET || nId > ID_KIT_CUSTOMIZE_BEGIN_GROUP)
        return FALSE;
    CKitCommandBar* pBar = pControl->GetParent();
    switch (nId)
    {
    case ID_KIT_CUSTOMIZE_RESET:
        pControl->m_nCustomIconId = 0;
        pControl->m_strCustomCaption.Empty();
        pControl->m_nCustomStyle = 0;
        break;
    case ID_KIT_CUSTOMIZE_DELETE:
    {
        m_pCommandBars->SetDragControl(nullptr);
        if (CKitControls* pControls = pControl->GetControls())
            pControls->Remove(pControl);
        break;
    }
    case ID_KIT_CUSTOMIZE_RESET_IMAGE:
        pControl->m_nCustomIconId = 0;
        break;
    case ID_KIT_CUSTOMIZE_COPY_IMAGE:
        if (IsImageType(pControl))
            CopyButtonImageToClipboard(pControl, this);
        return TRUE;
    case ID_KIT_CUSTOMIZE_PASTE_IMAGE:
        if (IsImageType(pControl))
            PasteButtonImageFromClipboard(pControl, this);
        break;
    case ID_KIT_CUSTOMIZE_EDIT_IMAGE:
        if (!IsImageType(pControl))
            return FALSE;
        // The editor lays the bar out again itself when it stores a picture.
        EditControlButtonImage(pControl, this);
        return TRUE;
    case ID_KIT_CUSTOMIZE_DEFAULT_STYLE:
        pControl->m_nCustomStyle = 0;
        break;
    case ID_KIT_CUSTOMIZE_TEXT_ONLY:
        pControl->m_nCustomStyle = 1;
        break;
    case ID_KIT_CUSTOMIZE_IMAGE_AND_TEXT:
        pControl->m_nCustomStyle = 3;
        break;
    case ID_KIT_CUSTOMIZE_BEGIN_GROUP:
        if (pControl->GetIndex() > 0)
            pControl->SetBeginGroup(!pControl->GetBeginGroup());
        break;
    default:
        return FALSE;
    }
    if (pBar != nullptr)
    {
        pBar->OnRecalcLayout();
        m_pCommandBars->RecalcAllBars();
    }
    return TRUE;
}

BOOL CKitCustomizeSheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID >= ID_KIT_CUSTOMIZE_RESET && nID <= ID_KIT_CUSTOMIZE_BEGIN_GROUP)
    {
        if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && pExtra != nullptr)
        {
            UpdateControlCommand(static_cast<CCmdUI*>(pExtra));
            return TRUE;
        }
    }
    return CPropertySheet::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
