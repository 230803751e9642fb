/* The "segrate" control: 100 percent split among 2 to 10 coloured segments
 * by dividers the user drags. */
#ifndef GUI_SEGRATE_H
#define GUI_SEGRATE_H

#define SRM_SETCOUNT 0xF090       /* wParam 2..10 */
#define SRM_SETRANGE 0xF091       /* wParam (maximum << 16) | minimum, lParam the divider */
#define SRM_SETVALUE 0xF092       /* wParam percent, lParam the divider */
#define SRM_SETCOLOR 0xF093       /* wParam the pixel, lParam the segment */
#define SRM_GETVALUE 0xF094       /* wParam the divider; -1 outside */

#define SRN_DRAGGED 6
#define SRN_DROPPED 7

#endif
