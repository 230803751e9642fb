// The holiday list page and its editor: the texts of a holiday's period,
// the days of a month, and whether an edited entry differs from the kept one.
#pragma once

#include "app/device_records.h"
#include "app/page_building.h"

namespace holiday {

constexpr const char* kPageSection = "holidayset";
constexpr const char* kEditSection = "holidayedit";

// Days a month 1..12 offers (February always 29); 0 for another month.
int daysOfMonth(int month);
// The start (or end) cell of a list row: by date, week or month; empty for
// another mode.
void formatPeriod(const HolidayEntry& entry, bool end, char* out, int size);

}  // namespace holiday

GUI_EXTERN_C_BEGIN

/* Month (0..11) and day: "%s%d" in language 2, else "%d.%s"; 0, or -1 when
 * a text is missing (the buffer then empty). */
int formatHolidayMonthDate(char* buffer, int size, int month, int day);
/* Month, week index (0 first .. 4 last) and weekday (0 Sunday): "%s%s%s"
 * (month, week, weekday) in language 2, else "%s %s.%s" (week, weekday,
 * month); 0 or -1 as above. */
int formatHolidayWeekDate(char* buffer, int size, int month, int weekIndex, int weekday);
/* 1 when enable, mode, name or a period field the mode uses differ. */
int holidayEntryDiffers(const HolidayEntry* a, const HolidayEntry* b);
/* The box of a refused holiday table (codes 1..5 named, others numbered). */
int showHolidayEditError(WindowHandle dialog, int code);

GUI_EXTERN_C_END
