/* The identifiers every page and dialog shares: its buttons, its labels'
 * offset, its cursors and the code of a declined question. */
#ifndef APP_PAGE_IDS_H
#define APP_PAGE_IDS_H

/* Controls every page shares; its Cancel is the toolkit's IDCANCEL (gui/dialog.h). */
#define PAGE_ID_OK 4097
#define PAGE_ID_APPLY 4098
#define PAGE_ID_COPY 4100
#define PAGE_ID_SHEET 4101
#define PAGE_ID_EXIT 4103
#define PAGE_ID_NEXT 4112
#define PAGE_ID_PREVIOUS 4113
/* A labelled control's label has the control's id plus this. */
#define PAGE_LABEL_OFFSET 256
/* System cursors of a page at work and at rest. */
#define PAGE_CURSOR_NORMAL 0
#define PAGE_CURSOR_BUSY 13
/* The code of a question the user declined: no box follows. */
#define PAGE_CODE_DECLINED 0x200226

#endif
