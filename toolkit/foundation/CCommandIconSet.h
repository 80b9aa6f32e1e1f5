// CCommandIconSet: the icons of one command id, keyed by width. Scaled copies
// made for widths nobody supplied live until the next Refresh.
#pragma once

#include "CCommandIcon.h"
#include "core/IconKeyMap.h"

class CCommandIconSet : public CCmdTarget
{
public:
    CCommandIconSet(UINT nID, CCommandIconStore* pStore);
    ~CCommandIconSet() override;

    UINT GetID() const { return m_nID; }
    CCommandIconStore* GetStore() const { return m_pStore; }

    // The icon filed under the width, or a new one (height 15) filed there.
    CCommandIcon* GetOrCreateIcon(UINT nWidth);
    void SetImage(const CIconImage& image, UINT nWidth);
    void SetDisabledImage(const CIconImage& image, UINT nWidth);
    void SetHotImage(const CIconImage& image, UINT nWidth);
    void SetPressedImage(const CIconImage& image, UINT nWidth);
    // Exactly the width; else, with bClosest, the nearest icon, scaled to the
    // width and filed when it is an icon picture (width 0: the narrowest).
    CCommandIcon* GetIcon(UINT nWidth, BOOL bClosest = TRUE);
    // Files an icon under the width, releasing any icon there; takes the caller's reference.
    void FileIcon(UINT nWidth, CCommandIcon* pIcon);
    // Drops the scaled copies and clears the derived images of the others.
    void Refresh();
    void RemoveAll();

    // Calls visit(width, icon) in the map's walk order.
    template <class Visit>
    void ForEachIcon(Visit visit) const
    {
        m_icons.ForEach(visit);
    }
    size_t GetCount() const { return m_icons.Count(); }

private:
    kit::IconKeyMap<CCommandIcon*> m_icons;
    UINT m_nID;
    CCommandIconStore* m_pStore;
};
