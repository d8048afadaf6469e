// KERNEL services of the portable layer, under their Win32 names and values:
// the tick count, local memory, string functions, wsprintfA, resources over
// the embedded table, private profile files and the few odds and ends the game
// needs. On Windows the real <windows.h> is used instead of this header.
#pragma once

#include <cstdarg>

#include "platform/win32/types.h"

// ---- Errors (the values Windows uses) ----
#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_WRITE_FAULT 29L
#define ERROR_FILE_TOO_LARGE 223L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L

DWORD WINAPI GetLastError(void);
void WINAPI SetLastError(DWORD errorCode);

// ---- Time ----
// Milliseconds from the backend's one clock; wraps after about 49.7 days.
// There is deliberately no Sleep: nothing in the game waits on a real clock.
DWORD WINAPI GetTickCount(void);

// ---- Local memory ----
#define LMEM_FIXED 0x0000
#define LMEM_MOVEABLE 0x0002
#define LMEM_ZEROINIT 0x0040
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
#define LHND (LMEM_MOVEABLE | LMEM_ZEROINIT)
#define NONZEROLPTR LMEM_FIXED

// Every block is fixed: a "moveable" handle is the block's address, so
// LocalLock of it returns it unchanged.
HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes);
// NULL on success; the handle itself when it was not a live block.
HLOCAL WINAPI LocalFree(HLOCAL mem);
LPVOID WINAPI LocalLock(HLOCAL mem);
BOOL WINAPI LocalUnlock(HLOCAL mem);
SIZE_T WINAPI LocalSize(HLOCAL mem);

// ---- Strings (NULL-safe, as the Windows ones are) ----
int WINAPI lstrlenA(LPCSTR s);
// ASCII case-insensitive; a NULL string sorts before any other.
int WINAPI lstrcmpiA(LPCSTR a, LPCSTR b);
int WINAPI lstrcmpA(LPCSTR a, LPCSTR b);
// NULL when either pointer is NULL.
LPSTR WINAPI lstrcpyA(LPSTR dst, LPCSTR src);
// Copies at most max - 1 characters and always terminates (when max > 0).
LPSTR WINAPI lstrcpynA(LPSTR dst, LPCSTR src, int max);
LPSTR WINAPI lstrcatA(LPSTR dst, LPCSTR src);

// %[-][#][0][width][.precision][h|l|I64]type with types c d i s u x X p and
// %%; no floating point. %ld is 32-bit as on Windows. On integers the
// precision is the least number of digits (the sign is extra). At most 1024
// bytes are written, the terminator included; the return value is the number
// of characters written, the terminator not counted. An unknown type writes
// the type character itself and takes no argument.
int WINAPI wsprintfA(LPSTR buffer, LPCSTR format, ...);
int WINAPI wvsprintfA(LPSTR buffer, LPCSTR format, va_list args);

// ---- Modules and the command line ----
// The program's own module; any other name gives NULL (ERROR_MOD_NOT_FOUND).
HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName);
LPSTR WINAPI GetCommandLineA(void);
void WINAPI OutputDebugStringA(LPCSTR text);

// ---- Resources over the embedded table ----
#define RT_CURSOR MAKEINTRESOURCEA(1)
#define RT_BITMAP MAKEINTRESOURCEA(2)
#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_MENU MAKEINTRESOURCEA(4)
#define RT_DIALOG MAKEINTRESOURCEA(5)
#define RT_STRING MAKEINTRESOURCEA(6)
#define RT_FONTDIR MAKEINTRESOURCEA(7)
#define RT_FONT MAKEINTRESOURCEA(8)
#define RT_ACCELERATOR MAKEINTRESOURCEA(9)
#define RT_RCDATA MAKEINTRESOURCEA(10)
#define RT_MESSAGETABLE MAKEINTRESOURCEA(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCEA(12)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)
#define RT_VERSION MAKEINTRESOURCEA(16)

// Type and name are each an integer id (MAKEINTRESOURCEA) or a string,
// compared without regard to case; "#123" means the id 123. The module must be
// NULL or the program's own.
HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
LPVOID WINAPI LockResource(HGLOBAL resourceData);
DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);
// Resources live as long as the program; FALSE as on 32-bit Windows.
BOOL WINAPI FreeResource(HGLOBAL resourceData);
// Copies at most bufferMax - 1 characters of string id, terminates and
// returns the count copied; an absent string gives 0 and the empty text.
int WINAPI LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax);

// ---- Private profile files ----
// A bare file name lives in the per-user data directory (see
// platform/kernel/process_settings.h); a name with a path separator is used as
// given. A file larger than 1 MiB is read only up to its last whole line in
// the first MiB and is never rewritten (a write to it returns FALSE).
DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                      DWORD size, LPCSTR fileName);
UINT WINAPI GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName);
// A NULL value deletes the key, a NULL key the whole section. The file is
// replaced atomically; on any failure it is left as it was and FALSE returned.
BOOL WINAPI WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
