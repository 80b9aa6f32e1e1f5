// CImageEditorPreview: the picture at its real size on the button face,
// subclassed over the dialog's preview control.
#pragma once

#include "CEditorImage.h"

class CImageEditorPreview : public CWnd
{
public:
    BOOL Attach(CWnd* pDialog, UINT nID) { return pDialog != nullptr && SubclassDlgItem(nID, pDialog); }
    void SetImage(const CEditorImage& image);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC hDC);

    CEditorImage m_image;
};
