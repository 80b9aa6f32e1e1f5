// The bytes of a resource of the program (found through the framework's
// resource handle); empty when it is missing.
#pragma once

#include "Framework.h"

#include <cstdint>
#include <span>

std::span<const uint8_t> AFXAPI FindResourceBytes(LPCWSTR pszName, LPCWSTR pszType);
