/* The "trackbar" control: a slider, a segmented level bar and the playback
 * time bar with its 24-hour scale and zoom buttons. */
#ifndef GUI_TRACKBAR_H
#define GUI_TRACKBAR_H

#define TBS_NOTIFY 0x1u
#define TBS_VERTICAL 0x2u
#define TBS_FULLREPAINT 0x8u
#define TBS_ACTIVE 0x20u
#define TBS_SEGMENTED 0x40u
#define TBS_TICKS 0x80u
#define TBS_TIMEBAR_BOTTOM 0x200u
#define TBS_TIMEBAR_TOP 0x800u
#define TBS_FOCUSED 0x1000u
#define TBS_ZOOM_LEFT 0x2000u
#define TBS_ZOOM_RIGHT 0x4000u
#define TBS_INSET 0x1000000u

#define TBM_SETRANGE 0xF090
#define TBM_GETMIN 0xF091
#define TBM_SETPOS 0xF092
#define TBM_GETPOS 0xF093
#define TBM_SETLINESIZE 0xF094
#define TBM_GETLINESIZE 0xF095
#define TBM_SETPAGESIZE 0xF096
#define TBM_GETPAGESIZE 0xF097
#define TBM_SETTIP 0xF098
#define TBM_SETTIME 0xF099
#define TBM_GETTIP 0xF09A
#define TBM_SETZOOM 0xF09B
#define TBM_GETZOOM 0xF09C
#define TBM_SETMIN 0xF09D
#define TBM_SETMAX 0xF09E
#define TBM_GETMAX 0xF09F
#define TBM_GETTIME 0xF110
#define TBM_SETZOOMTEXT 0xF111

#define TBN_REACHMIN 1
#define TBN_REACHMAX 2
#define TBN_CHANGE 3
#define TBN_STARTDRAG 4
#define TBN_STOPDRAG 5
#define TBN_DRAGGED 6
#define TBN_STEPPED 7
#define TBN_FOCUS 8
#define TBN_BLUR 9
#define TBN_ZOOM 10
#define TBN_PASSMIDNIGHT 11
#define TBN_BACKMIDNIGHT 12

/* Identifiers of the time bar's zoom buttons. */
#define TB_ZOOMIN_ID 100
#define TB_ZOOMOUT_ID 200

#endif
