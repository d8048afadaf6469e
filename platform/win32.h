// The one header game code includes for the operating system. On Windows it is
// the real API; elsewhere it is our portable layer with the same names.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <mmsystem.h>
#if defined(_WIN64) && defined(SNOWVEL_PER_USER_PROFILE)
#include "platform/windows/per_user_profile.h"
#endif
#else
#include "platform/win32/types.h"
#include "platform/win32/kernel.h"
#include "platform/win32/user.h"
#include "platform/win32/gdi.h"
#include "platform/win32/mm.h"
#endif
