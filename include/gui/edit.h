/* The plain "edit" control: one line in a 512-byte buffer with a fixed
 * pitch caret, aware of double-byte characters. */
#ifndef GUI_EDIT_H
#define GUI_EDIT_H

#define ES_UPPERCASE 0x08u
#define ES_LOWERCASE 0x10u
#define ES_PASSWORD 0x20u
#define ES_READONLY 0x800u
/* Single-line edit: the input modes skip Chinese, letters and digits only. */
#define ES_NOCHINESE 0x100u
/* Single-line edit: taking the focus keeps the caret and selection where
 * they were instead of selecting the whole text. */
#define ES_KEEPCARET 0x400u

/* To an IP-address edit from its fields: lParam 1 the next field, 0 the
 * previous one. */
#define MSG_IPEDIT_MOVEFIELD 182
/* An edit's input mode bit (0x40, 0x100, 0x80, 0x10 or 0x20), 0 for none. */
#define MSG_EDIT_GETINPUTMODE 347

/* Single-line edit messages. */
#define EM_GETSELTEXT 0xF0B0  /* count, buffer: the selected bytes copied */
#define EM_SETSEL 0xF0B1      /* the selection runs from the caret to lParam */
#define EM_GETSELPOS 0xF0B3   /* the selection end away from the caret */
#define EM_FIRSTIGNORED 0xF0B4 /* 0xF0B4..0xF0B6 answer 0 and do nothing */
#define EM_LASTIGNORED 0xF0B6
#define EM_GETCARETPOS 0xF0B9
#define EM_SETCARETPOS 0xF0BA
#define EM_GETLIMITTEXT 0xF0C3
#define EM_LIMITTEXT 0xF0C5
#define EM_SETPASSWORDCHAR 0xF0CC
#define EM_SETRANGE 0xF0CD   /* minimum, maximum of a number field */
#define EM_SETREADONLY 0xF0CF
#define EM_GETPASSWORDCHAR 0xF0D2
#define EM_SETTIPTEXT 0xF0DE /* length, text shown while the field is empty */
#define EM_GETTIPTEXT 0xF0DF

#define EN_CLICKED 1
#define EN_DBLCLK 2
#define EN_UPDATE 3 /* text changed by typing (not by setting it) */
#define EN_SETFOCUS 256
#define EN_KILLFOCUS 512
#define EN_CHANGE 768
#define EN_MAXTEXT 1281
#define EN_SELCHANGE 1539
#define EN_CHANGEDONBLUR 1540 /* focus lost after the text changed */
#define EN_ENTER 1792

#define EDIT_BUFFER_SIZE 512

#endif
