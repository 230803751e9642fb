/* Controls every page of a made-up application shares: Cancel named again. */
#define PAGE_ID_CANCEL 2
#define PAGE_ID_OK 4097
#define PAGE_ID_COPY 4100
