// The framework layer in one include: what an application's common
// precompiled header pulls in. The window half adds its headers here.
#pragma once

#include "core/FrameworkBase.h"
#include "core/ModuleState.h"
#include "core/CObject.h"
#include "core/CString.h"
#include "core/Exceptions.h"
#include "core/Geometry.h"
#include "core/CArchive.h"
#include "core/Collections.h"
#include "core/CFile.h"
#include "core/CMemFile.h"
#include "core/CStdioFile.h"
#include "core/CTime.h"
#include "core/OleTypes.h"
