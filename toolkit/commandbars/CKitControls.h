// The ordered controls of one bar. Holds one reference to each control.
#pragma once

#include "CKitControl.h"

#include <vector>

class CKitControls : public CCmdTarget
{
public:
    CKitControls() = default;
    ~CKitControls() override { RemoveAll(); }
    CKitControls(const CKitControls&) = delete;
    CKitControls& operator=(const CKitControls&) = delete;

    int GetCount() const { return static_cast<int>(m_controls.size()); }
    CKitControl* GetAt(int nIndex) const
    {
        return nIndex >= 0 && nIndex < GetCount() ? m_controls[static_cast<size_t>(nIndex)] : nullptr;
    }
    // Appends a control, taking over the caller's reference.
    CKitControl* Add(CKitControl* pControl, CKitCommandBar* pParent)
    {
        pControl->m_pParent = pParent;
        m_controls.push_back(pControl);
        return pControl;
    }
    void RemoveAll()
    {
        for (CKitControl* pControl : m_controls)
            pControl->InternalRelease();
        m_controls.clear();
    }
    // The last control that is shown, or null.
    CKitControl* GetLastVisible() const
    {
        for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it)
            if ((*it)->IsVisible())
                return *it;
        return nullptr;
    }

private:
    std::vector<CKitControl*> m_controls;
};
