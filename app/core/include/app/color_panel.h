/* The live-view colour panel: the selected channel's picture adjusted live,
 * stored with OK, put back otherwise, copied to further channels. The three
 * record operations also serve the camera image page. */
#ifndef APP_COLOR_PANEL_H
#define APP_COLOR_PANEL_H

#include "app/device_records.h"

GUI_EXTERN_C_BEGIN

/* Colour modes: values of the "typecfg" texts. */
enum ColorMode { COLOR_STANDARD = 0, COLOR_INDOOR = 1, COLOR_NIGHT = 2, COLOR_OUTDOOR = 3, COLOR_CUSTOM = 255 };

/* Fills a combo box with the modes of a channel 1..getChannelNum: only
 * "custom" for an IP channel, every other mode for an analog one. */
void initColorTypeCombo(WindowHandle dialog, int channel, int comboId);
/* Applies the record's colours to a channel 1..getChannelNum at once. */
void setColorParam(int channel, const ChannelConfig* record);
/* The mode's preset colours into the record (mode into its mode byte). */
void getColorParam(int mode, ChannelConfig* record);

/* Runs the panel modally for the selected channel of the current output,
 * placed from the bottom-right corner by "leftcolorset_rect". */
int showLeftColorSetDialog(WindowHandle host);
LResult leftColorSetProc(WindowHandle dialog, int message, WParam wParam, LParam lParam);

GUI_EXTERN_C_END

#endif
