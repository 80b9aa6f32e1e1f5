// The Access preview's database through the DAO classes: opened read-only, so
// that browsing never changes the recovered file.
#pragma once

#include "PreviewDatabase.h"

// The opener the preview uses unless the program gives another.
std::unique_ptr<IPreviewDatabase> OpenDaoPreviewDatabase(const CString& path, CString& reason, bool& engineMissing);
