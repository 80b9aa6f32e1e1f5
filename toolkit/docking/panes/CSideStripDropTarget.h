// The OLE drop target of an auto-hide side strip. Nothing can be dropped on
// a strip; a drag that rests over one of its tabs slides that tab's pane out,
// so the user can carry data into an auto-hidden pane.
#pragma once

#include "window/OleDataTransfer.h"

class CDockingSideStrip;

class CSideStripDropTarget : public COleDropTarget
{
public:
    explicit CSideStripDropTarget(CDockingSideStrip* pStrip) : m_pStrip(pStrip) {}

    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL IsRegistered() const { return m_hWnd != nullptr; }

private:
    CDockingSideStrip* m_pStrip;
};
