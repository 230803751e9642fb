// The fixed value tables of the device: bit rates, frame rates, live-view
// layouts and dwell times.
#include "app/device_ability.h"

namespace {

const ValueTablePair kBitrates[] = {
    {2, 32768},     {3, 49152},     {4, 65536},    {5, 81920},    {6, 98304},
    {7, 131072},    {8, 163840},    {9, 196608},   {10, 229376},  {11, 262144},
    {12, 327680},   {13, 393216},   {14, 458752},  {15, 524288},  {16, 655360},
    {17, 786432},   {18, 917504},   {19, 1048576}, {20, 1310720}, {21, 1572864},
    {22, 1835008},  {23, 2097152},  {24, 3145728}, {25, 4194304}, {26, 8388608},
    {27, 16777216}, {VALUE_TABLE_END, 0},
};

const ValueTablePair kFrameRates[] = {
    {0, 0},       {1, 22},      {2, 20},      {3, 18},       {4, 16},      {5, 15},
    {6, 12},      {7, 10},      {8, 8},       {9, 6},        {10, 4},      {11, 2},
    {12, 1},      {13, 131073}, {14, 262145}, {15, 524289},  {16, 1048577}, {17, 7},
    {18, 5},      {19, 3},      {20, 9},      {VALUE_TABLE_END, 0},
};

const ValueTablePair kLayouts[] = {
    {0, 0}, {1, 1}, {2, 4}, {3, 6}, {4, 8}, {5, 9}, {6, 16}, {VALUE_TABLE_END, 0},
};

const ValueTablePair kDwellTimes[] = {
    {0, 65535}, {1, 5}, {2, 10}, {3, 20}, {4, 30}, {5, 60}, {6, 120}, {7, 300},
    {VALUE_TABLE_END, 0},
};

}  // namespace

extern "C" {
const ValueTable g_bitrateTable = {kBitrates, 22};
const ValueTable g_frameRateTable = {kFrameRates, 0};
const ValueTable g_layoutModeTable = {kLayouts, 0};
const ValueTable g_dwellTimeTable = {kDwellTimes, 1};
}
