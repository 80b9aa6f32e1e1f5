#include "GalleryDialog.h"

#include "GalleryIds.h"

CGalleryDialog::CGalleryDialog(CWnd* pParent) : CDialog(IDD_GALLERY_SETTINGS, pParent) {}

void CGalleryDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_MODE_COMBO, m_modeCombo);
    DDX_Text(pDX, IDC_NAME_EDIT, m_strName);
    DDV_MaxChars(pDX, m_strName, 32);
    DDX_Check(pDX, IDC_VERBOSE_CHECK, m_bVerbose);
    DDX_CBIndex(pDX, IDC_MODE_COMBO, m_nMode);
}
