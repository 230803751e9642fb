/* Configuration files: INI-style "[section]" and "key=value" lines.
 *
 * A file can be loaded into an EtcFile object and queried or changed in
 * memory, or read and rewritten value by value directly on disk. Every
 * function answers one of the ETC_* codes below (0 on success). */
#ifndef GUI_CONFIG_H
#define GUI_CONFIG_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define ETC_OK 0
#define ETC_BAD_ARGUMENT (-1)      /* also: the file cannot be opened for reading */
#define ETC_NO_SECTION (-2)
#define ETC_NO_KEY (-3)
#define ETC_TEMP_FILE_FAILED (-4)
#define ETC_FILE_IO_FAILED (-5)    /* read or write failed, or no write access */
#define ETC_INT_OUT_OF_RANGE (-6)
#define ETC_NULL_OBJECT (-7)
#define ETC_READ_ONLY (-8)         /* the object accepts no changes */

/* Every rewrite of a file goes through a temporary file beside it (the final
 * rename needs one file system) named ETC_TEMP_FILE_NAME "." <file name> "."
 * and six random characters. A call never leaves it behind; one left by a
 * killed process is removed by the next load or write of that file.
 * Writers of one file, in any process, take turns through an advisory lock
 * (flock) on it. */
#define ETC_TEMP_FILE_NAME ".tmp_etc"

/* One section. A null name marks a free slot (left by RemoveSectionInEtc).
 * keys[i] and values[i] belong together; lookups take the first match. */
typedef struct EtcSection {
  int32_t keyCapacity; /* 8 for a new section, grown by 4; 0 or less: read-only */
  int32_t keyCount;
  char* name;
  char** keys;
  char** values;
} EtcSection;

/* A loaded configuration file; the object owns every string and array. */
typedef struct EtcFile {
  int32_t sectionCapacity; /* 16 after loading, grown by 8; 0 or less: read-only */
  int32_t sectionCount;    /* slots in use, free ones included */
  EtcSection* sections;
} EtcFile;

/* In-memory objects. */
EtcFile* LoadEtcFile(const char* path); /* null path: an empty object */
int UnloadEtcFile(EtcFile* hEtc);
/* With create set a missing section is added; null when it is missing and
 * create is 0, or when the object accepts no changes. */
EtcSection* FindSectionInEtc(EtcFile* hEtc, const char* section, BOOL create);
/* len > 0 reads into value (at most len bytes, always terminated);
 * len <= 0 stores value under section/key, creating what is missing. */
int GetValueFromEtc(EtcFile* hEtc, const char* section, const char* key, char* value, int len);
/* strtol base 0; ETC_INT_OUT_OF_RANGE when the number does not fit an int. */
int GetIntValueFromEtc(EtcFile* hEtc, const char* section, const char* key, int* value);
int GetValueFromEtcSec(EtcSection* hSect, const char* key, char* value, int len);
int GetIntValueFromEtcSec(EtcSection* hSect, const char* key, int* value);
int SetValueToEtcSec(EtcSection* hSect, const char* key, const char* value);
int RemoveSectionInEtc(EtcFile* hEtc, const char* section);
int SaveEtcToFile(EtcFile* hEtc, const char* path);

/* Single values read or rewritten directly in a file. A null section reads
 * the keys above the first section header.
 * Every writer, in memory or on disk, refuses (ETC_BAD_ARGUMENT) a section,
 * key or value that would not read back as written: a line break anywhere,
 * "=" in a key or a key starting with "[", "#", ";" or a blank, "]" in a
 * section name, an empty key. */
int GetValueFromEtcFile(const char* path, const char* section, const char* key, char* value, int len);
int GetIntValueFromEtcFile(const char* path, const char* section, const char* key, int* value);
int SetValueToEtcFile(const char* path, const char* section, const char* key, const char* value);
int RemoveSectionInEtcFile(const char* path, const char* section);

/* Whole files written the same way: `size` bytes replace the file at once,
 * under the writers' lock (ETC_OK, ETC_BAD_ARGUMENT for a null argument,
 * else ETC_FILE_IO_FAILED with the file untouched). RemoveStaleEtcTemps
 * removes what a killed writer of the file left, when no writer is at work. */
int ReplaceFileContents(const char* path, const void* data, size_t size);
/* The same for a file that only its owner may read or write: the file and
 * its temporary file get mode 0600, whatever the file had. */
int ReplaceOwnerOnlyFileContents(const char* path, const void* data, size_t size);
void RemoveStaleEtcTemps(const char* path);

GUI_EXTERN_C_END

#endif
