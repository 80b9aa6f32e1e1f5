// Windows headers and the few basic macros every framework header relies on.
#pragma once

#ifndef UNICODE
#error "The framework is built for Unicode: define UNICODE and _UNICODE."
#endif

#include <windows.h>
#include <oleauto.h>
#include <cstddef>
#include <cstdint>

// winbase.h maps GetCurrentTime to GetTickCount; here it names the
// CTime and COleDateTime members.
#undef GetCurrentTime

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif

// Debug checks of programming errors; they never replace the checks of data
// read from files or archives, which always run and throw.
#ifdef NDEBUG
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#else
#include <cassert>
#define ASSERT(f) assert(f)
#define VERIFY(f) assert(f)
#endif
#define ASSERT_VALID(pOb) ((void)0)
#define TRACE(...) ((void)0)

class CObject;
class CRuntimeClass;
class CArchive;
class CString;
class CDocument; // belongs to the window half; the archive only carries a pointer.

// Opaque iteration position of the list and map families.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)
