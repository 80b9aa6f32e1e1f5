#include "KitEditFocus.h"

CWnd* FocusedKitEdit()
{
    // Found by its class record, so that frames without edit fields carry
    // no edit code.
    CRuntimeClass* pEditClass = CRuntimeClass::FromName("CKitEdit");
    CWnd* pFocus = CWnd::FromHandlePermanent(::GetFocus());
    return pEditClass != nullptr && pFocus != nullptr && pFocus->IsKindOf(pEditClass) ? pFocus : nullptr;
}
