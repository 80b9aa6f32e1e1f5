// The settings dialog: an edit, a check box and a combo filled from RT_DLGINIT.
#pragma once

#include "Framework.h"

class CGalleryDialog : public CDialog
{
public:
    explicit CGalleryDialog(CWnd* pParent = nullptr);

    CString m_strName = L"untitled";
    int m_bVerbose = 1;
    int m_nMode = 1;
    CComboBox m_modeCombo;

    void DoDataExchange(CDataExchange* pDX) override;
};
