/* Message numbers of the application's own windows. */
#ifndef APP_APP_MESSAGES_H
#define APP_APP_MESSAGES_H

/* To the live-view window. */
#define MSG_STARTWIZARD 2049 /* open the start-up wizard */
#define MSG_SMARTRESET 2068  /* reset the smart-search state */
#define MSG_DISKCHECK 2074   /* start-up disk check */

/* To a menu page: open the page of the item at wParam. */
#define MSG_OPENITEMPAGE 2057

/* To the PTZ panel. */
#define MSG_PTZSHOW 2064    /* show or enable again */
#define MSG_PTZCOVERED 2065 /* a message box is about to cover it */

/* To the camera menu, passed on to its page: the motion page reloads its
 * grid from its working record. */
#define MSG_RELOADMOTIONGRID 19205

/* To the formatting progress window, from its worker: the result text
 * (lParam) to show. */
#define MSG_FORMATDONE 0x9400

#endif
