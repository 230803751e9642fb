/* Types shared by the whole toolkit API. Handles, message parameters and
 * results are pointer-sized; "all ones" is the all-ones value of that size. */
#ifndef GUI_COMMON_H
#define GUI_COMMON_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define GUI_EXTERN_C_BEGIN extern "C" {
#define GUI_EXTERN_C_END }
#else
#define GUI_EXTERN_C_BEGIN
#define GUI_EXTERN_C_END
#endif

GUI_EXTERN_C_BEGIN

typedef int BOOL;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

/* A window record's address; 0 and all ones are invalid. */
typedef uintptr_t WindowHandle;
#define GUI_INVALID_HANDLE ((WindowHandle)~(uintptr_t)0)

/* A handle that names a window: neither 0 nor GUI_INVALID_HANDLE. Whether the
 * window still exists is IsWindow's question. */
static inline int IsValidHandle(WindowHandle hwnd) { return hwnd != 0 && hwnd != GUI_INVALID_HANDLE; }

typedef uintptr_t WParam;
typedef intptr_t LParam;
typedef intptr_t LResult;

/* Device context handle; 0 is the screen DC. */
typedef uintptr_t HDC;
#define HDC_SCREEN ((HDC)0)
#define HDC_INVALID ((HDC)~(uintptr_t)0)

/* A pixel value in a surface's pixel format. */
typedef uint32_t GalPixel;

/* Right and bottom are exclusive. */
typedef struct Rect {
  int32_t left, top, right, bottom;
} Rect;

typedef struct Point {
  int32_t x, y;
} Point;

typedef struct Size {
  int32_t cx, cy;
} Size;

typedef LResult (*WindowProc)(WindowHandle hwnd, int message, WParam wParam, LParam lParam);

/* Video output ids, chosen by the application. */
typedef int OutputId;

GUI_EXTERN_C_END

#endif
