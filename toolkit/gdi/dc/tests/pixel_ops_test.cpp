#include <gtest/gtest.h>

#include "gdi/dc/pixel_ops.h"
#include "gdi/dc/tests/dc_test_support.h"
#include "gui/dc.h"

namespace {

using dctest::MaskOf;
using dctest::Picture;

uint32_t Combine(int rop, uint32_t dst, uint32_t value) {
  switch (rop) {
    case ROP_AND: return dst & value;
    case ROP_OR: return dst | value;
    case ROP_XOR: return dst ^ value;
    default: return value;
  }
}

// A DC record over a memory surface with the operations of one raster
// operation, pointing at row `y`, column `x`.
struct OpsBench {
  std::unique_ptr<GuardedSurface> surface;
  DC dc;
  int bytes;

  OpsBench(int bytesPerPixel, int rop) : surface(dctest::MakeSurface(37, 4, bytesPerPixel)) {
    bytes = bytesPerPixel;
    dc.surface = surface->get();
    dc.geomPixels = static_cast<uint8_t*>(surface->get()->pixels);
    dc.geomPitch = surface->get()->pitch;
    dc.rop = rop;
    gui::dc::SelectPixelOps(&dc);
  }
};

// Every set-span and put-span of every depth and raster operation, at
// several steps and lengths, against a per-pixel model; the rows around
// and the row padding stay as they were.
TEST(PixelOps, SpansMatchThePerPixelModelAtEveryDepthRopAndStep) {
  for (int bytes = 1; bytes <= 4; ++bytes) {
    for (int rop = ROP_SET; rop <= ROP_XOR; ++rop) {
      for (int step : {1, 2, 3}) {
        for (int n : {1, 2, 5, 8, 13, 30}) {
          SCOPED_TRACE(testing::Message() << "bpp " << bytes << " rop " << rop << " step "
                                          << step << " n " << n);
          OpsBench b(bytes, rop);
          dctest::Scribble(*b.surface, 77);
          const uint32_t value = 0x9A5C3F71u;
          Picture expected = dctest::Snapshot(*b.surface);
          for (int i = 0; i < n; i += step)
            expected.at(3 + i, 2) = Combine(rop, expected.at(3 + i, 2), value) & MaskOf(bytes);
          b.dc.step = step;
          b.dc.curPixel = value;
          b.dc.moveTo(&b.dc, 3, 2);
          b.dc.setSpan(&b.dc, n);
          EXPECT_EQ(dctest::Snapshot(*b.surface), expected);

          // put-span from row 0 into row 1.
          dctest::Scribble(*b.surface, 5);
          expected = dctest::Snapshot(*b.surface);
          for (int i = 0; i < n; i += step)
            expected.at(4 + i, 1) =
                Combine(rop, expected.at(4 + i, 1), expected.at(1 + i, 0)) & MaskOf(bytes);
          b.dc.moveTo(&b.dc, 4, 1);
          b.dc.putSpan(&b.dc, b.surface->row(0) + bytes * 1, n);
          EXPECT_EQ(dctest::Snapshot(*b.surface), expected);
          EXPECT_TRUE(b.surface->paddingIntact());
        }
      }
    }
  }
}

// The column operation of every depth and raster operation against the
// same model, down column 2 from row 1; it leaves the current pointer one
// step below the last row it drew.
TEST(PixelOps, ColumnsMatchThePerPixelModelAtEveryDepthRopAndStep) {
  for (int bytes = 1; bytes <= 4; ++bytes) {
    for (int rop = ROP_SET; rop <= ROP_XOR; ++rop) {
      for (int step : {1, 2, 3}) {
        for (int n : {1, 2, 5, 13}) {
          SCOPED_TRACE(testing::Message() << "bpp " << bytes << " rop " << rop << " step "
                                          << step << " n " << n);
          auto surface = dctest::MakeSurface(5, 16, bytes);
          DC dc;
          dc.surface = surface->get();
          dc.geomPixels = static_cast<uint8_t*>(surface->get()->pixels);
          dc.geomPitch = surface->get()->pitch;
          dc.rop = rop;
          gui::dc::SelectPixelOps(&dc);
          dctest::Scribble(*surface, 31);
          const uint32_t value = 0x5B3D9E17u;
          Picture expected = dctest::Snapshot(*surface);
          int below = 1;
          for (int i = 0; i < n; i += step, below = 1 + i)
            expected.at(2, 1 + i) = Combine(rop, expected.at(2, 1 + i), value) & MaskOf(bytes);
          dc.step = step;
          dc.curPixel = value;
          dc.moveTo(&dc, 2, 1);
          gui::dc::kSetColumnOps[bytes - 1 + gui::dc::kDepthCount * rop](&dc, n);
          EXPECT_EQ(dctest::Snapshot(*surface), expected);
          EXPECT_EQ(dc.curDst, dc.geomPixels + static_cast<ptrdiff_t>(dc.geomPitch) * below + 2 * bytes);
          EXPECT_TRUE(surface->paddingIntact());
        }
      }
    }
  }
}

TEST(PixelOps, ClearingSpansAndWordFillsCoverExactlyTheSpan) {
  for (int bytes = 1; bytes <= 4; ++bytes) {
    for (int start : {0, 1, 2, 3}) {
      OpsBench b(bytes, ROP_SET);
      dctest::Scribble(*b.surface, 11);
      Picture expected = dctest::Snapshot(*b.surface);
      for (int i = 0; i < 17; ++i) expected.at(start + i, 3) = 0;
      b.dc.curPixel = 0;
      b.dc.moveTo(&b.dc, start, 3);
      b.dc.setSpan(&b.dc, 17);
      EXPECT_EQ(dctest::Snapshot(*b.surface), expected) << bytes << " " << start;
    }
  }
}

TEST(PixelOps, ThreeBytePixelsAreWrittenLowByteFirst) {
  OpsBench b(3, ROP_SET);
  b.dc.curPixel = 0xAA123456u;
  b.dc.moveTo(&b.dc, 2, 1);
  b.dc.setPixel(&b.dc);
  const uint8_t* p = b.surface->row(1) + 6;
  EXPECT_EQ(p[0], 0x56);
  EXPECT_EQ(p[1], 0x34);
  EXPECT_EQ(p[2], 0x12);
  EXPECT_EQ(p[3], 0);
}

// A transparent put-span leaves out the pixels equal to the skip pixel,
// whatever the depth and raster operation.
TEST(PixelOps, TransparentPutSpanSkipsTheSkipPixel) {
  for (int bytes = 1; bytes <= 4; ++bytes) {
    for (int rop = ROP_SET; rop <= ROP_XOR; ++rop) {
      OpsBench b(bytes, rop);
      dctest::Scribble(*b.surface, 3);
      const uint32_t skip = 0x00C0FFEEu & MaskOf(bytes);
      for (int x = 0; x < 20; ++x) b.surface->setPixel(x, 0, skip);
      b.dc.bkMode = BM_TRANSPARENT;
      b.dc.skipPixel = skip;
      const Picture before = dctest::Snapshot(*b.surface);
      b.dc.moveTo(&b.dc, 0, 2);
      b.dc.putSpan(&b.dc, b.surface->row(0), 20);
      EXPECT_EQ(dctest::Snapshot(*b.surface), before) << bytes << " " << rop;

      b.surface->setPixel(5, 0, 7);
      Picture expected = dctest::Snapshot(*b.surface);
      expected.at(5, 2) = Combine(rop, expected.at(5, 2), 7) & MaskOf(bytes);
      b.dc.putSpan(&b.dc, b.surface->row(0), 20);
      EXPECT_EQ(dctest::Snapshot(*b.surface), expected) << bytes << " " << rop;
    }
  }
}

TEST(PixelOps, StepAdvancesByWholePixels) {
  for (int bytes = 1; bytes <= 4; ++bytes) {
    OpsBench b(bytes, ROP_SET);
    b.dc.moveTo(&b.dc, 1, 1);
    uint8_t* start = b.dc.curDst;
    b.dc.stepOp(&b.dc, 5);
    EXPECT_EQ(b.dc.curDst - start, 5 * bytes);
    EXPECT_EQ(start, b.surface->row(1) + bytes);
  }
}

}  // namespace
