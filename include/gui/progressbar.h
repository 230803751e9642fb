/* The "progressbar" control: a position within a range, shown as blocks or,
 * when blocks would be too small, as a continuous bar with a percentage. */
#ifndef GUI_PROGRESSBAR_H
#define GUI_PROGRESSBAR_H

#define PBS_NOTIFY 0x01u   /* notify reaching the ends */
#define PBS_VERTICAL 0x02u /* fills from the bottom up, no text */

#define PBM_SETRANGE 0xF0A0 /* wParam, lParam the two ends; -1 when equal */
#define PBM_SETSTEP 0xF0A1  /* -1 for a step wider than the range */
#define PBM_SETPOS 0xF0A2
#define PBM_DELTAPOS 0xF0A3
#define PBM_STEPIT 0xF0A4

#define PBN_REACHMAX 1
#define PBN_REACHMIN 2

#endif
