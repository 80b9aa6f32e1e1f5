// Shell services the pages and the start-up share.
#pragma once

#include "Framework.h"

// Deletes the results list's columns and inserts those of the recovery mode.
void PrepareResultColumns(CListCtrl& list, int recoveryMode);
