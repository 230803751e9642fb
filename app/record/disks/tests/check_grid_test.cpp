// The block grid of the bad-sector check against a brute-force model that
// walks every sector: random checks at 32 and 64 cells a side, sectors past
// the disk's end, a disk of capacity 0, and the checked share.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "app/record/disks/check_grid.h"

namespace {

using disks::Cell;
using disks::CheckGrid;

// Every byte of every sector in [first, end) colours its cell (byte /
// block size), the last cell for anything beyond; a bad cell keeps its
// colour, a reserved one is not checked.
void ModelMark(std::vector<Cell>& cells, uint64_t first, uint64_t end, uint64_t block, Cell colour) {
  if (block == 0) return;
  for (uint64_t s = first; s < end; ++s)
    for (uint64_t byte = s * 512; byte < s * 512 + 512; ++byte) {
      uint64_t cell = byte / block;
      if (cell >= cells.size()) cell = cells.size() - 1;
      if (cells[cell] == Cell::kBad || (cells[cell] == Cell::kShield && colour == Cell::kChecked)) continue;
      cells[cell] = colour;
    }
}

TEST(CheckGrid, MarksFollowAModelOfEverySector) {
  std::mt19937_64 random(51);
  for (int n : {32, 64}) {
    for (int round = 0; round < 40; ++round) {
      SCOPED_TRACE(n * 1000 + round);
      const uint64_t cells = static_cast<uint64_t>(n) * n;
      // Small disks so that the model can walk every sector: 0 to 3 sectors
      // per cell, sometimes a block that is not a whole number of sectors.
      const uint64_t capacity = round == 0 ? 0 : cells * 512 * (random() % 4) + (round % 3 == 0 ? 300 * cells : 0);
      const uint64_t block = capacity / cells;
      const uint64_t sectors = capacity / 512 + 64;  // past the end too
      CheckGrid grid;
      grid.reset(n);
      std::vector<Cell> model(cells, Cell::kUnchecked);
      const uint64_t shieldStart = random() % (sectors + 1), shieldEnd = shieldStart + random() % 40;
      grid.mark(shieldStart, shieldEnd, block, Cell::kShield);
      ModelMark(model, shieldStart, shieldEnd, block, Cell::kShield);
      const uint64_t checkedEnd = random() % (sectors + 1);
      for (int bad = 0; bad < 5; ++bad) {
        const uint64_t s = random() % (sectors + 1);
        grid.mark(s, s + 1, block, Cell::kBad);
        ModelMark(model, s, s + 1, block, Cell::kBad);
      }
      grid.mark(0, checkedEnd, block, Cell::kChecked);
      ModelMark(model, 0, checkedEnd, block, Cell::kChecked);
      ASSERT_EQ(grid.size(), n);
      int differences = 0;
      for (uint64_t i = 0; i < cells; ++i) differences += grid.at(static_cast<int>(i)) != model[i];
      EXPECT_EQ(differences, 0) << "capacity " << capacity;
    }
  }
}

TEST(CheckGrid, EdgesOfTheSectorArithmetic) {
  CheckGrid grid;
  grid.reset(64);
  EXPECT_EQ(grid.cellOf(5, 0), -1) << "a disk of capacity 0 has no cells";
  grid.mark(0, UINT64_MAX, 0, Cell::kChecked);
  for (int i = 0; i < 64 * 64; ++i) ASSERT_EQ(grid.at(i), Cell::kUnchecked);
  EXPECT_EQ(grid.cellOf(UINT64_MAX, 512), 64 * 64 - 1) << "a sector near 2^64 neither wraps nor overruns";
  EXPECT_EQ(grid.cellOf(UINT64_MAX / 2, UINT64_MAX), 255) << "in 128 bits: 2^63 sectors of 512 bytes";
  grid.mark(10, 10, 512, Cell::kBad);
  EXPECT_EQ(grid.at(10), Cell::kUnchecked) << "an empty range marks nothing";
  grid.reset(0);
  EXPECT_EQ(grid.size(), 1);
  grid.reset(1000);
  EXPECT_EQ(grid.size(), 64);
}

TEST(CheckGrid, CheckedShare) {
  struct Row {
    uint64_t start, end, checked;
    int percent;
  } rows[] = {
      {0, 100, 0, 0},         {0, 100, 50, 50},          {0, 100, 100, 100},       {0, 100, 500, 100},
      {100, 100, 100, 0},     {200, 100, 150, 0},        {100, 300, 50, 0},        {100, 300, 200, 50},
      {0, UINT64_MAX, UINT64_MAX / 2, 49},                {0, UINT64_MAX, UINT64_MAX, 100},
  };
  for (const Row& r : rows) EXPECT_EQ(disks::checkPercent(r.start, r.end, r.checked), r.percent) << r.start << " " << r.end;
}

}  // namespace
