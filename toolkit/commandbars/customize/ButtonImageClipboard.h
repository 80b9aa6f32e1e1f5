// The button images of the customize sheet's context menu on the clipboard:
// a control's 16-pixel picture as a bitmap on the button face, and a bitmap
// from the clipboard as the control's custom picture.
#pragma once

#include "Framework.h"

class CKitControl;

// Puts the control's picture on the clipboard (CF_BITMAP, with the icon
// store's own data of the icon beside it); FALSE without a picture or when
// the clipboard cannot be opened.
BOOL CopyButtonImageToClipboard(CKitControl* pControl, CWnd* pOwner);
// Whether the clipboard holds a bitmap to paste.
BOOL CanPasteButtonImage();
// Makes the clipboard's bitmap, scaled to the bar's icon size, the control's
// custom picture; FALSE when there is none or it cannot be stored.
BOOL PasteButtonImageFromClipboard(CKitControl* pControl, CWnd* pOwner);
