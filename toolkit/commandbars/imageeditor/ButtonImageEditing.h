// The customize sheet's "Edit Button Image..." and the store of a control's
// custom icon. A custom icon is only ever stored at the size its bar draws
// icons, so a picture of another size can never stand in for the control's
// icon at a width it does not have.
#pragma once

#include "Framework.h"

class CIconImage;
class CKitControl;

// The size the control's bar draws its icons at (16 x 16 without a bar).
CSize ControlIconSize(CKitControl* pControl);

// Stores the picture as the control's custom icon: over the control's
// existing custom icon at that width when it has one, else as a new custom
// icon of the icon store, whose id the control takes. The bar is laid out
// again and repainted. FALSE, and nothing stored, for a null control, an
// empty picture or one that is not exactly szIcon.
BOOL StoreControlCustomIcon(CKitControl* pControl, const CIconImage& image, CSize szIcon);

// Runs the button-image editor on the control's picture at its bar's icon
// size (an empty picture when it has none; a picture of another size is
// drawn scaled to it). On OK the result becomes the control's custom icon
// (StoreControlCustomIcon). TRUE when a picture was stored; FALSE on Cancel,
// for a null control and when the picture was refused.
BOOL EditControlButtonImage(CKitControl* pControl, CWnd* pParent);
