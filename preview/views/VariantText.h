// The text of one field value of a database record.
#pragma once

#include "Framework.h"

CString BoolText(BOOL value);
// By the VARIANT's whole type: numbers, currency, dates and strings as text, other
// types by their names ("Array of", "Pointer to" for the flag bits); "Fish" for a
// type it has no text for.
CString FormatVariant(const VARIANT& value);
