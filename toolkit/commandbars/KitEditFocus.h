// The toolkit's edit control, when it holds the focus: the frame and the
// command bars leave its keys and editing commands to it.
#pragma once

#include "window/CWnd.h"

// The focus window when it is a CKitEdit of this thread, else null.
CWnd* FocusedKitEdit();
