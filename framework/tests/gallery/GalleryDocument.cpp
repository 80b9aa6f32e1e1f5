#include "GalleryDocument.h"

#include "GalleryIds.h"
#include "GalleryJournal.h"

IMPLEMENT_DYNCREATE(CGalleryDocument, CDocument)

BEGIN_MESSAGE_MAP(CGalleryDocument, CDocument)
    ON_COMMAND_EX(ID_GALLERY_ROUTE, OnRoute)
    ON_COMMAND(ID_GALLERY_TOGGLE, OnToggle)
    ON_UPDATE_COMMAND_UI(ID_GALLERY_TOGGLE, OnUpdateToggle)
END_MESSAGE_MAP()

BOOL CGalleryDocument::OnRoute(UINT)
{
    GalleryJournal().push_back(L"document");
    return FALSE;
}

void CGalleryDocument::OnToggle()
{
    ++m_nToggles;
}

void CGalleryDocument::OnUpdateToggle(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bToggleAllowed);
}
