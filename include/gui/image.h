/* Image files: data sources, the file-type table, device-independent images
 * (MyBitmap), loading them into device-dependent bitmaps, painting them
 * straight into a DC, writing bitmaps back, icons and palettes. */
#ifndef GUI_IMAGE_H
#define GUI_IMAGE_H

#include <stdio.h>

#include "gui/bitmap.h"
#include "gui/common.h"
#include "gui/gal.h"

GUI_EXTERN_C_BEGIN

/* ---- Data sources ---- */

#define GUI_RW_SEEK_SET 0
#define GUI_RW_SEEK_CUR 1
#define GUI_RW_SEEK_END 2

#define GUI_RW_TYPE_NONE 0u
#define GUI_RW_TYPE_STDIO 1u
#define GUI_RW_TYPE_MEMORY 2u

typedef struct GUI_RWops {
  /* The new position, or -1. */
  int (*seek)(struct GUI_RWops* ops, int offset, int whence);
  /* The number of whole items read or written. */
  int (*read)(struct GUI_RWops* ops, void* buffer, int size, int count);
  int (*write)(struct GUI_RWops* ops, const void* buffer, int size, int count);
  int (*close)(struct GUI_RWops* ops);
  int (*eof)(struct GUI_RWops* ops);
  uint32_t type;
  union {
    struct {
      int autoclose;
      FILE* fp;
    } stdio;
    struct {
      uint8_t* base;
      uint8_t* here;
      uint8_t* stop;
    } mem;
  } hidden;
} GUI_RWops;

GUI_RWops* GUI_AllocRW(void);
void GUI_FreeRW(GUI_RWops* ops);
GUI_RWops* GUI_RWFromFile(const char* fileName, const char* mode);
GUI_RWops* GUI_RWFromFP(FILE* fp, int autoclose);
GUI_RWops* GUI_RWFromMem(void* base, int size);
void GUI_InitMemRW(GUI_RWops* ops, void* base, int size);

#define GUI_RWseek(ops, offset, whence) ((ops)->seek((ops), (offset), (whence)))
#define GUI_RWtell(ops) ((ops)->seek((ops), 0, GUI_RW_SEEK_CUR))
#define GUI_RWread(ops, buffer, size, count) ((ops)->read((ops), (buffer), (size), (count)))
#define GUI_RWwrite(ops, buffer, size, count) ((ops)->write((ops), (buffer), (size), (count)))
#define GUI_RWclose(ops) ((ops)->close(ops))
#define GUI_RWeof(ops) ((ops)->eof(ops))

/* One byte 0..255, or -1 at the end. */
int GUI_RWgetc(GUI_RWops* ops);
/* Little-endian values; 0 when fewer bytes than asked could be read. */
uint16_t GUI_RWReadLE16(GUI_RWops* ops);
uint32_t GUI_RWReadLE32(GUI_RWops* ops);
uint16_t FileReadLE16(FILE* fp);
uint32_t FileReadLE32(FILE* fp);

/* ---- Image file types ---- */

/* Result codes of the image API (0 is success). */
#define ERR_BMP_SL_START -1
#define ERR_BMP_UNKNOWN_TYPE -2
#define ERR_BMP_CANT_INIT -3
#define ERR_BMP_CANT_SAVE -4
#define ERR_BMP_NOT_SUPPORTED -5
#define ERR_BMP_MEM -6
#define ERR_BMP_LOAD -7
#define ERR_BMP_FILEIO -8
#define ERR_BMP_OTHER -9
#define ERR_BMP_ERROR_SIZE -10

typedef void (*GuiImageLineCallback)(void* context, MyBitmap* image, int row);

typedef void* (*GuiImageInit)(GUI_RWops* source, MyBitmap* image, GalColor* palette);
typedef int (*GuiImageLoad)(GUI_RWops* source, void* state, MyBitmap* image,
                            GuiImageLineCallback lineCallback, void* context);
typedef void (*GuiImageCleanup)(void* state);
typedef int (*GuiImageSave)(GUI_RWops* destination, MyBitmap* image, GalColor* palette);
typedef BOOL (*GuiImageCheck)(GUI_RWops* source);

#define BITMAP_TYPE_ROWS 9
#define BITMAP_EXT_LEN 8

typedef struct BitmapTypeInfo {
  char ext[BITMAP_EXT_LEN];
  GuiImageInit init;
  GuiImageLoad load;
  GuiImageCleanup cleanup;
  GuiImageSave save;
  GuiImageCheck check;
} BitmapTypeInfo;

/* Replaces the row of ext (compared without regard to case) or fills the
 * first free row; false when all rows hold other extensions. */
BOOL RegisterBitmapFileType(const char* ext, GuiImageInit init, GuiImageLoad load,
                            GuiImageCleanup cleanup, GuiImageSave save, GuiImageCheck check);
/* The extension of the first type whose check accepts the data at the
 * source's position (which is kept), or null. */
const char* CheckBitmapType(GUI_RWops* source);

/* Bytes per pixel of an image row; *pitch gets the row length (rounded up
 * to 4 bytes with align). */
int CalcMyBitmapPitch(int depth, uint32_t width, uint32_t* pitch, BOOL align);

/* Palette arrays handed to the loaders hold 256 entries. */
int LoadMyBitmapEx(MyBitmap* image, GalColor* palette, GUI_RWops* source, const char* ext);
int LoadMyBitmapFromFile(MyBitmap* image, GalColor* palette, const char* fileName);
int LoadMyBitmapFromMem(MyBitmap* image, GalColor* palette, const void* mem, int size,
                        const char* ext);
void UnloadMyBitmap(MyBitmap* image);
int SaveMyBitmapToFile(MyBitmap* image, GalColor* palette, const char* fileName);

/* Scan-line loading: a handle, or 0 when it cannot start. */
void* InitMyBitmapSL(GUI_RWops* source, const char* ext, MyBitmap* image, GalColor* palette);
int LoadMyBitmapSL(GUI_RWops* source, void* handle, MyBitmap* image,
                   GuiImageLineCallback lineCallback, void* context);
int CleanupMyBitmapSL(MyBitmap* image, void* handle);

/* ---- Device-dependent bitmaps from images ---- */

BOOL InitBitmap(HDC hdc, uint32_t width, uint32_t height, uint32_t pitch, uint8_t* bits,
                Bitmap* bitmap);
BOOL InitBitmapPixelFormat(HDC hdc, Bitmap* bitmap);
void DeleteBitmapAlphaPixel(Bitmap* bitmap);
int ExpandMyBitmap(HDC hdc, Bitmap* bitmap, const MyBitmap* image, const GalColor* palette,
                   int frame);

int LoadBitmapEx(HDC hdc, Bitmap* bitmap, GUI_RWops* source, const char* ext);
int LoadBitmapFromFile(HDC hdc, Bitmap* bitmap, const char* fileName);
int LoadBitmapFromMem(HDC hdc, Bitmap* bitmap, const void* mem, int size, const char* ext);
int ZoomBitmapFromMem(HDC hdc, Bitmap* bitmap, const void* mem, int size, const char* ext,
                      uint32_t width, uint32_t height, BOOL allocate, uint32_t* imageWidth,
                      uint32_t* imageHeight);
int UnloadBitmap(Bitmap* bitmap);

int PaintImageEx(HDC hdc, int x, int y, GUI_RWops* source, const char* ext);
int PaintImageFromFile(HDC hdc, int x, int y, const char* fileName);
int PaintImageFromMem(HDC hdc, int x, int y, const void* mem, int size, const char* ext);
int StretchPaintImageEx(HDC hdc, int x, int y, int w, int h, GUI_RWops* source, const char* ext);
int StretchPaintImageFromFile(HDC hdc, int x, int y, int w, int h, const char* fileName);
int StretchPaintImageFromMem(HDC hdc, int x, int y, int w, int h, const void* mem, int size,
                             const char* ext);

int SaveBitmapToFile(HDC hdc, Bitmap* bitmap, const char* fileName);

/* ---- Icons ---- */

typedef struct Icon {
  uint32_t width;
  uint32_t height;
  uint32_t pitch;
  uint8_t* andBits;
  uint8_t* xorBits;
} Icon;
typedef uintptr_t HICON;

HICON LoadIconFromFile(HDC hdc, const char* fileName, int which);
HICON LoadIconFromMem(HDC hdc, const void* data, int which);
HICON CreateIconEx(HDC hdc, int width, int height, const uint8_t* andBits,
                   const uint8_t* xorBits, int bitsPerPixel, const GalColor* palette);
BOOL DestroyIcon(HICON icon);
BOOL GetIconSize(HICON icon, int* width, int* height);
void DrawIcon(HDC hdc, int x, int y, int w, int h, HICON icon);

/* ---- Palettes ---- */

int GetPalette(HDC hdc, int start, int count, GalColor* colors);
int SetPalette(HDC hdc, int start, int count, GalColor* colors);
int SetColorfulPalette(HDC hdc);
GalPalette* CreatePalette(const GalPalette* palette);
void DestroyPalette(GalPalette* palette);
GalPalette* GetDefaultPalette(void);

GUI_EXTERN_C_END

#endif
