#include "PreviewSession.h"

CPreviewSession* FindPreviewSession(CDocument* pDocument)
{
    auto* pOwner = dynamic_cast<IPreviewSessionOwner*>(pDocument);
    return pOwner != nullptr ? &pOwner->GetPreviewSession() : nullptr;
}

CPreviewSession* FindPreviewSession(CView* pView)
{
    return pView != nullptr ? FindPreviewSession(pView->GetDocument()) : nullptr;
}

CString PreviewPathExtension(const CString& strPath)
{
    const int dot = strPath.ReverseFind(L'.');
    CString extension = dot >= 0 ? strPath.Mid(dot) : CString(L".") + strPath;
    extension.MakeLower();
    return extension;
}
