// Where the items of an item list are: each item's position and the top of
// each item in the content, both kept in arrays beside the item ring so
// that a row's place costs no walk from the head.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "gui/scrolled.h"

namespace guilist {

using HeightOf = int (*)(const GuiListItem* item);

// The item's position in display order; -1 when it is not in the list.
int Position(GuiList* list, const GuiListItem* item);
// The sum of the heights of the items before `item`; -1 when it is not in
// the list.
int64_t Top(GuiList* list, const GuiListItem* item, HeightOf height);
// The position of the item of positive height whose band holds content y,
// and its top; -1 when none does.
int ItemAtY(GuiList* list, int64_t y, HeightOf height, GuiListItem** item, int64_t* top);
// Reorders the items as `arrange` reorders the array it is given (it must
// leave a permutation of it) and repaints the list unless it is frozen.
void Arrange(GuiList* list, const std::function<void(std::vector<GuiListItem*>*)>& arrange);
// Adds `diff` to the items' total height, fits the content to it and
// repaints the visible part from content row `from` down.
int AdjustHeightFrom(WindowHandle hwnd, GuiList* list, ScrolledData* data, int diff, int64_t from);
// The item's height changed: the tops of the items after it are stale.
void HeightChanged(GuiList* list, const GuiListItem* item);

}  // namespace guilist
