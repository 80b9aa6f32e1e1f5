// The OLE drop target of a tabbed group. Nothing can be dropped on a group;
// a drag that rests over a tab shows that tab's pane, so the user can reach
// a pane hidden behind another while carrying data elsewhere.
#pragma once

#include "window/OleDataTransfer.h"

class CKitDockingPaneTabbedContainer;

class CTabbedContainerDropTarget : public COleDropTarget
{
public:
    explicit CTabbedContainerDropTarget(CKitDockingPaneTabbedContainer* pContainer) : m_pContainer(pContainer) {}

    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL IsRegistered() const { return m_hWnd != nullptr; }

private:
    CKitDockingPaneTabbedContainer* m_pContainer;
};
