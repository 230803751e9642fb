/* The paging bar under a result list and the state of the list it pages:
 * 100 results a page, the page shown, the page count and the selected
 * result. The bar's captions come from the layout section "searchresult". */
#ifndef APP_RESULT_PAGING_H
#define APP_RESULT_PAGING_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

#define RESULT_PAGE_ROWS 100

enum PagingBarId {
  PAGING_TEXT = 4624, /* "page / pages, total" */
  PAGING_FIRST = 4625,
  PAGING_PREV = 4626,
  PAGING_NEXT = 4627,
  PAGING_LAST = 4628,
  PAGING_NUMBER = 4629, /* the page number the user types */
  PAGING_GO = 4630
};

/* The bar along the bottom of `area` (client co-ordinates of `owner`);
 * answers the bar's top, or area->bottom when its records are missing. */
int createPagingBar(WindowHandle owner, const Rect* area);

/* The page shown (1-based) and the page count, both kept at least 1. */
void setResultPage(int page);
int getResultPage(void);
void setResultPageCount(int count);
int getResultPageCount(void);
/* Pages for `count` results: (count + 99) / 100, at least 1. */
int resultPageCountFor(int count);
/* The 0-based index of the first result of the page shown. */
int firstResultOfPage(void);

/* The page text for `total` results, and first/previous enabled past page 1,
 * next/last before the last page. */
void showResultPageText(WindowHandle owner, int total);
void updatePagingButtons(WindowHandle owner);
/* A command of the bar (code 0 only): 1 when the page changed, 0 when it
 * did not, -1 after the box of a page number outside 1..page count. */
int onPagingCommand(WindowHandle owner, int id, int code);

/* The absolute (0-based) selected result of the list. */
void setSelectedResultRow(int row);
int getSelectedResultRow(void);

GUI_EXTERN_C_END

#endif
