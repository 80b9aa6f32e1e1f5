// One program at a time: a named mutex made before WinMain runs. A second copy
// finds it already there and ends at start-up.
#pragma once

#include <windows.h>

// The system error code of the mutex's creation (ERROR_ALREADY_EXISTS in a second copy).
DWORD InstanceMutexCreationCode();
