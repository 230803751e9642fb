/* Scrolled content, item lists and the scroll view.
 *
 * ScrolledData is the scrolling state of a control whose content is larger
 * than its window: a content area, a visible area inside the margins, the
 * offset of the one in the other, line and page steps and the two scroll
 * bars kept in step. GuiList is the ordered item list of the item-based
 * controls (scroll view, list view); it sits right behind the control's
 * ScrolledData. Both are used only on their control's thread. */
#ifndef GUI_SCROLLED_H
#define GUI_SCROLLED_H

#include "gui/common.h"

GUI_EXTERN_C_BEGIN

/* ---- Messages of the scrolled and item-based controls ---- */
#define MSG_FREEZECTRL 302
#define SVM_ADDITEM 0xF300
#define SVM_DELITEM 0xF301
#define SVM_SETITEMDRAW 0xF302
#define SVM_SETCONTWIDTH 0xF306
#define SVM_SETCONTHEIGHT 0xF307
#define SVM_RESETCONTENT 0xF309
#define SVM_SETITEMOPS 0xF30A
#define SVM_GETMARGINS 0xF30B
#define SVM_SETMARGINS 0xF311
#define SVM_GETLEFTMARGIN 0xF312
#define SVM_GETTOPMARGIN 0xF313
#define SVM_GETRIGHTMARGIN 0xF314
#define SVM_GETBOTTOMMARGIN 0xF315
#define SVM_GETVISIBLEWIDTH 0xF316
#define SVM_GETVISIBLEHEIGHT 0xF317
#define SVM_GETCONTWIDTH 0xF318
#define SVM_GETCONTHEIGHT 0xF319
#define SVM_SETCONTRANGE 0xF31A
#define SVM_GETCONTENTX 0xF31B
#define SVM_GETCONTENTY 0xF31C
#define SVM_SETCONTPOS 0xF31D
#define SVM_GETCURSEL 0xF31E
#define SVM_SELECTITEM 0xF31F
#define SVM_SHOWITEM 0xF320
#define SVM_CHOOSEITEM 0xF321
#define SVM_SETCURSEL 0xF322
#define SVM_SETITEMINIT 0xF323
#define SVM_SETITEMDESTROY 0xF324
#define SVM_SETITEMCMP 0xF327
#define SVM_MAKEPOSVISIBLE 0xF328
#define SVM_GETHSCROLLVAL 0xF32B
#define SVM_GETVSCROLLVAL 0xF32C
#define SVM_GETHSCROLLPAGEVAL 0xF32D
#define SVM_GETVSCROLLPAGEVAL 0xF32E
#define SVM_SETSCROLLVAL 0xF32F
#define SVM_SETSCROLLPAGEVAL 0xF330
#define SVM_SORTITEMS 0xF331
#define SVM_GETITEMCOUNT 0xF332
#define SVM_GETITEMADDDATA 0xF333
#define SVM_SETITEMADDDATA 0xF334
#define SVM_REFRESHITEM 0xF335
#define SVM_SETITEMHEIGHT 0xF336

/* Scroll-bar policies. */
#define SB_POLICY_AUTOMATIC 1
#define SB_POLICY_NEVER 2

/* Notification codes of the item views. */
#define SVN_CLICKED 1
#define SVN_SELCHANGED 2
#define SVN_SELCHANGING 4

typedef struct ScrolledData ScrolledData;
/* flag 0: the offset or the content size changed; 1: re-fitted. */
typedef void (*ScrolledMoveContent)(WindowHandle hwnd, ScrolledData* data, BOOL refit);

struct ScrolledData {
  uint16_t hScrollVal, vScrollVal;         /* line steps */
  uint16_t hScrollPageVal, vScrollPageVal; /* page steps */
  int32_t nContX, nContY;                  /* content point at the visible top-left */
  int32_t nContWidth, nContHeight;         /* never below the visible size */
  uint16_t visibleWidth, visibleHeight;
  uint16_t leftMargin, topMargin, rightMargin, bottomMargin;
  WindowHandle hSV;
  int32_t sbPolicy;
  ScrolledMoveContent move_content;
};

int scrolled_init(WindowHandle hwnd, ScrolledData* data, int w, int h);
void scrolled_init_margins(ScrolledData* data, int left, int top, int right, int bottom);
void scrolled_init_contsize(WindowHandle hwnd, ScrolledData* data);
int scrolled_set_hscrollinfo(WindowHandle hwnd, ScrolledData* data);
int scrolled_set_vscrollinfo(WindowHandle hwnd, ScrolledData* data);
int scrolled_set_cont_pos(WindowHandle hwnd, ScrolledData* data, int x, int y);
int scrolled_make_pos_visible(WindowHandle hwnd, ScrolledData* data, int x, int y);
void scrolled_set_visible(WindowHandle hwnd, ScrolledData* data);
int scrolled_visible_to_content(ScrolledData* data, int* x, int* y);
int scrolled_content_to_visible(ScrolledData* data, int* x, int* y);
void scrolled_recalc_areas(WindowHandle hwnd, ScrolledData* data, int w, int h);
void scrolled_hscroll(WindowHandle hwnd, ScrolledData* data, int code, int pos);
void scrolled_vscroll(WindowHandle hwnd, ScrolledData* data, int code, int pos);
int scrolled_set_cont_width(WindowHandle hwnd, ScrolledData* data, int width);
int scrolled_set_cont_height(WindowHandle hwnd, ScrolledData* data, int height);
void scrolled_set_scrollval(ScrolledData* data, int h, int v);
void scrolled_set_scrollpageval(ScrolledData* data, int h, int v);
void scrolled_set_margins(ScrolledData* data, const Rect* margins);
void scrolled_refresh_rect(ScrolledData* data, const Rect* rc);
/* The visible area inside the margins, in window coordinates. */
void scrolled_visible_rect(const ScrolledData* data, Rect* rc);

LResult DefaultScrolledProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam);

/* ---- Item lists ---- */

typedef struct GuiListLink {
  struct GuiListLink* next;
  struct GuiListLink* prev;
} GuiListLink;

#define GUILIST_ITEM_SELECTED 0x01u
typedef struct GuiListItem {
  GuiListLink link;    /* display order */
  GuiListLink selLink; /* selection ring, marking order */
  uint32_t flags;
  uintptr_t addData;
  int32_t position; /* the list's own bookkeeping: its place in display order */
} GuiListItem;

typedef struct GuiList GuiList;
typedef int (*GuiListInitItem)(WindowHandle hwnd, GuiListItem* item);
typedef void (*GuiListFreeItem)(WindowHandle hwnd, GuiListItem* item);
typedef void (*GuiListDrawItem)(WindowHandle hwnd, GuiListItem* item, HDC hdc, Rect* rc);
/* windowCoords 1: window coordinates, 0: content coordinates. Negative: no
 * place; 1: only the vertical place matters. */
typedef int (*GuiListItemRect)(WindowHandle hwnd, GuiListItem* item, Rect* rc, BOOL windowCoords);
typedef int (*GuiListHitTest)(GuiList* list, int x, int y, GuiListItem** item, int* top);
typedef int (*GuiListCompare)(GuiListItem* a, GuiListItem* b);
typedef int (*GuiListCompare3)(GuiList* list, GuiListItem* a, GuiListItem* b);

typedef struct GuiListItemOps {
  GuiListInitItem initItem;
  GuiListFreeItem freeItem;
  GuiListDrawItem drawItem;
  GuiListItemRect getRect;
  GuiListHitTest isInItem;
} GuiListItemOps;

#define GUILIST_SORTED 0x01u
#define GUILIST_FROZEN 0x10u

struct GuiList {
  int32_t nItemNr;
  int32_t nTotalItemH;
  GuiListItem* currentItem;
  GuiListLink queue;    /* items in display order */
  GuiListLink selQueue; /* selected items */
  GuiListCompare itemCmp;
  GuiListItemOps iop;
  WindowHandle hwnd;
  uint32_t flags;
  int32_t defItemHeight;
  uint32_t version; /* changes with every add, delete, move, sort or height change */
  struct GuiListIndex* index; /* the items in an array, owned; none while empty */
};

int guilist_init(GuiList* list, WindowHandle hwnd);
/* Frees what the list owns besides its items (it frees that itself when its
 * last item goes); the items stay the caller's. */
void guilist_destroy(GuiList* list);
int guilist_add_item(GuiList* list, GuiListItem* item, GuiListItem* after, GuiListItem* before, int index,
                     int* outIndex);
int guilist_del_item(GuiList* list, GuiListItem* item);
int guilist_move_item(GuiList* list, GuiListItem* item, GuiListItem* before);
int guilist_adjust_items_height(WindowHandle hwnd, GuiList* list, ScrolledData* data, int diff);
GuiListItem* guilist_getitem_byindex(GuiList* list, int index);
int guilist_get_item_index(GuiList* list, GuiListItem* item);
GuiListItem* guilist_get_next_item(GuiList* list, GuiListItem* item);
GuiListItem* guilist_get_prev_item(GuiList* list, GuiListItem* item);
void guilist_hilight_item(GuiList* list, GuiListItem* item);
uintptr_t guilist_get_item_adddata(GuiListItem* item);
uintptr_t guilist_set_item_adddata(GuiListItem* item, uintptr_t value);
void guilist_freeze(WindowHandle hwnd, GuiList* list, BOOL on);
/* form 0: compare is a GuiListCompare; form 1: a GuiListCompare3. */
int guilist_sort_items(GuiList* list, void* compare, int form);
void guilist_refresh_item(GuiList* list, GuiListItem* item);
void guilist_refresh_item_ex(GuiList* list, GuiListItem* item, const Rect* rc);
void guilist_redraw_item(GuiList* list, GuiListItem* item);
int guilist_make_item_visible(GuiList* list, ScrolledData* data, GuiListItem* item);
GuiListDrawItem guilist_set_itemdraw(GuiList* list, GuiListDrawItem draw);
GuiList* guilist_set_itemops(GuiList* list, const GuiListItemOps* ops);
/* Unmarks every selected item and clears the current one. */
void guilist_unselect_all(GuiList* list);

LResult DefaultItemViewProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam, ScrolledData* data,
                            GuiList* list);

/* Read by every item list before it invalidates an item (list view state). */
int GetListViewRedrawFlag(void);

/* ---- Scroll view ---- */

#define SV_DEF_ITEM_HEIGHT 16

typedef struct ScrollViewItem {
  GuiListItem base;
  int32_t height;
} ScrollViewItem;

typedef struct ScrollViewData {
  ScrolledData scrdata;
  GuiList svlist;
  uintptr_t reserved;
  /* The first item the last paint drew, its content top and index, while
   * the list's version is unchanged: a paint far down the list starts
   * there instead of at the head. */
  GuiListItem* anchor;
  int32_t anchorTop;
  int32_t anchorIndex;
  uint32_t anchorVersion;
  /* The content offset of the last paint: a change of the content's size
   * that leaves it there moves nothing on screen. */
  int32_t shownContX, shownContY;
} ScrollViewData;

/* lParam of SVM_ADDITEM. */
typedef struct SVItemInfo {
  intptr_t index;
  intptr_t height;
  uintptr_t addData;
} SVItemInfo;

int scrollview_init(WindowHandle hwnd, ScrollViewData* data);
void scrollview_destroy(ScrollViewData* data);
ScrollViewItem* scrollview_add_item(WindowHandle hwnd, ScrollViewData* data, GuiListItem* after,
                                    const SVItemInfo* info, int* outIndex);
ScrollViewItem* scrollview_add_item_ex(WindowHandle hwnd, ScrollViewData* data, GuiListItem* after,
                                       GuiListItem* before, const SVItemInfo* info, int* outIndex);
int scrollview_del_item(WindowHandle hwnd, ScrollViewData* data, int index, GuiListItem* item);
void scrollview_reset_content(WindowHandle hwnd, ScrollViewData* data);
int scrollview_is_in_item(ScrollViewData* data, int y, GuiListItem** item, int* top);
int scrollview_get_item_ypos(ScrollViewData* data, GuiListItem* item);
int scrollview_set_item_height(WindowHandle hwnd, GuiListItem* item, int height);
uintptr_t scrollview_get_item_adddata(GuiListItem* item);
int scrollview_get_item_index(WindowHandle hwnd, GuiListItem* item);
BOOL scrollview_is_item_hilight(WindowHandle hwnd, GuiListItem* item);
BOOL scrollview_is_item_selected(GuiListItem* item);
void scrollview_draw(WindowHandle hwnd, HDC hdc, ScrollViewData* data);
void scrollview_set_svlist(WindowHandle hwnd, ScrolledData* data, BOOL refit);

LResult ScrollViewCtrlProc(WindowHandle hwnd, int message, WParam wParam, LParam lParam);

GUI_EXTERN_C_END

#endif
