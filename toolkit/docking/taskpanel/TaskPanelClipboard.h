// One task-panel item on the clipboard and in drag and drop: the format
// "TaskPanelGroupItem" holds the item's class and keys as an archive in a
// movable, shareable global block; a drag out of the program also offers the
// item's drag text as CF_TEXT. Blocks from other programs are untrusted: a
// block that is cut short, of another class or not an archive at all gives
// no item.
#pragma once

#include <memory>

#include "Framework.h"
#include "core/TaskPanelModel.h"

class COleDataObject;
class COleDataSource;

// The registered format (the task panel registers it when the program starts).
CLIPFORMAT TaskPanelItemFormat();

// The item as a global block the caller owns, or NULL.
HGLOBAL CopyItemToGlobalMemory(kit::taskpanel::GroupItem& item);

// The item read from an archive file, or null; nothing half-read survives.
std::unique_ptr<kit::taskpanel::GroupItem> CreateItemFromFile(CFile* pFile);
// The item the data object carries in the format, or null.
std::unique_ptr<kit::taskpanel::GroupItem> CreateItemFromOleData(COleDataObject* pDataObject);

// The text in the code page as a movable, shareable block of (characters + 1)
// bytes with its terminator; characters that need more bytes than that are
// cut at the end, never in the middle of a character. NULL when no memory.
HGLOBAL DragTextToMultiByte(const std::u16string& text, UINT nCodePage = CP_ACP);

// Caches the item under the format, and with text its drag text as CF_TEXT
// when there is one; FALSE (nothing cached) when the block cannot be built.
BOOL PrepareDrag(kit::taskpanel::GroupItem& item, COleDataSource& source, BOOL bWithText);
