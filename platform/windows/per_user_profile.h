// 64-bit Windows only (included by platform/win32.h after <windows.h>): the
// game's profile calls go through these, which keep a bare file name in the
// player's own folder instead of the Windows directory.
#pragma once

DWORD WINAPI perUserGetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR fallback,
                                             LPSTR buffer, DWORD size, LPCSTR file);
BOOL WINAPI perUserWritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value,
                                              LPCSTR file);

#define GetPrivateProfileStringA perUserGetPrivateProfileStringA
#define WritePrivateProfileStringA perUserWritePrivateProfileStringA
