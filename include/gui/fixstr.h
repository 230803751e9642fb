/* The fixed-string heap and the small string and library helpers shared by
 * the toolkit and the application.
 *
 * Short strings live in one preallocated block split into ten zones of
 * power-of-two slots; longer ones, and any that do not fit, come from the
 * general heap. FreeFixStr tells them apart by address. */
#ifndef GUI_FIXSTR_H
#define GUI_FIXSTR_H

#include <stdio.h>
#include <time.h>

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

BOOL InitFixStr(void); /* 0 when the block cannot be allocated */
void TermFixStr(void);
/* Room for len characters and the terminator. Length 0 answers the one
 * empty string all threads share: it is never written, not even with its
 * terminator. */
char* FixStrAlloc(int len);
void FreeFixStr(char* str);
char* FixStrDup(const char* str);

const char* strnchr(const char* s, size_t n, int c);
int substrlen(const char* text, int len, int delimiter, int* count);
char* strtrimall(char* s);
void Ping(void);
const char* AfterLastSubstr(const char* str, const char* sub);
size_t WriteFileChunked(const void* buf, size_t size, size_t count, FILE* stream);

void SleepMs(unsigned int ms);
void RewindFile(FILE* stream);
FILE* CreateTempFile(void);
int CloseFile(FILE* stream);
time_t GetTimeNow(time_t* t);
time_t MakeTime(struct tm* tm);
struct tm* ToLocalTime(const time_t* t);

GUI_EXTERN_C_END

#endif
