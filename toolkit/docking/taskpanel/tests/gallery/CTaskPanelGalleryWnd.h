// The task-panel gallery: two panels side by side, the left one with groups
// of links, text and an icon grid, the right one with a group to drop items
// into, and a window that stands for another program taking dropped text.
// Every notification the panels send is recorded, and the owner's answer to
// the expand notification can be set to veto.
#pragma once

#include <string>
#include <vector>

#include "CKitTaskPanel.h"

// Another program's window: it takes plain text dropped on it and nothing else.
class COtherProgramDropTarget : public COleDropTarget
{
public:
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;

    std::string m_strDropped;
    BOOL m_bSawPanelFormat = FALSE;
};

class CTaskPanelGalleryWnd : public CWnd
{
public:
    static constexpr int kLeftPanel = 301;
    static constexpr int kRightPanel = 302;
    static constexpr int kPanelWidth = 220;

    struct Notification
    {
        WPARAM code;
        LPARAM param;
        BOOL expand;  // code 6 only
    };

    BOOL CreateGallery(int x, int y, int nStyle);
    // The sample groups: "Recovery tasks" (three links), "Details" (text),
    // "Drives" (an icon grid) in the left panel, "Favourites" in the right.
    void FillSamples();

    CKitTaskPanel m_left;
    CKitTaskPanel m_right;
    CWnd m_other;
    COtherProgramDropTarget m_otherTarget;
    std::vector<Notification> m_notifications;
    BOOL m_bVetoExpand = FALSE;

protected:
    void PostNcDestroy() override {}
    afx_msg LRESULT OnTaskPanelNotify(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
