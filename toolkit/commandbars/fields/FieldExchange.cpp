// The keys of the bars' edit fields and combo boxes in the stored bar tree.
// Widths and row counts read back are kept to what a bar can show.
#include "BarTreeExchange.h"
#include "CKitControlComboBox.h"
#include "CKitControlComboBoxList.h"
#include "CKitControlEdit.h"

using namespace bartree;

IMPLEMENT_SERIAL(CKitControlEdit, CKitControl, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CKitControlComboBox, CKitControlPopup, VERSIONABLE_SCHEMA | 16)

namespace
{

constexpr int kDefaultFieldWidth = 100;
constexpr int kMaxDropDownRows = 100;

int SoundFieldWidth(int nWidth)
{
    return nWidth < kMinFieldWidth || nWidth > kMaxFieldWidth ? kDefaultFieldWidth : nWidth;
}

}  // namespace

void CKitControlEdit::ExchangeProperties(CKitPropExchange* pPX)
{
    CKitControl::ExchangeProperties(pPX);
    const UINT nSchema = pPX->m_nSchema;
    if (nSchema > 5)
    {
        ExchangeBool(pPX, L"HasLabel", m_bShowLabel, FALSE);
        ExchangeLong(pPX, L"Width", m_nFieldWidth, 0);
    }
    if (nSchema > 7)
        ExchangeBool(pPX, L"ReadOnly", m_bReadOnly, FALSE);
    if (nSchema > 8)
    {
        ExchangeString(pPX, L"EditHint", m_strEditHint, L"");
        ExchangeDword(pPX, L"ShellAutoCompleteFlags", m_dwShellAutoCompleteFlags, 0);
    }
    if (pPX->IsLoading())
    {
        m_nFieldWidth = SoundFieldWidth(m_nFieldWidth);
        EnableShellAutoComplete(m_dwShellAutoCompleteFlags);
    }
}

void CKitControlComboBox::ExchangeProperties(CKitPropExchange* pPX)
{
    CKitControlPopup::ExchangeProperties(pPX);
    ExchangeBool(pPX, L"DropDown", m_bDropDown, TRUE);
    ExchangeLong(pPX, L"Width", m_nFieldWidth, 0);
    ExchangeLong(pPX, L"ComboStyle", m_nComboStyle, 0);
    if (pPX->m_nSchema > 8)
    {
        ExchangeString(pPX, L"EditHint", m_strEditHint, L"");
        ExchangeDword(pPX, L"ShellAutoCompleteFlags", m_dwShellAutoCompleteFlags, 0);
        ExchangeBool(pPX, L"AutoComplete", m_bAutoCompleteList, FALSE);
        ExchangeLong(pPX, L"EditIconId", m_nEditIconId, 0);
        ExchangeLong(pPX, L"DropDownItemCount", m_nDropDownItemCount, 12);
    }
    if (pPX->IsLoading())
    {
        m_nFieldWidth = SoundFieldWidth(m_nFieldWidth);
        m_nComboStyle = Clamp(m_nComboStyle, 0, 1);
        m_nDropDownItemCount = Clamp(m_nDropDownItemCount, 1, kMaxDropDownRows);
        if (m_nEditIconId < 0)
            m_nEditIconId = 0;
        SetDropDown(m_bDropDown);
    }
}
