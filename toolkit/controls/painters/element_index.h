// Indexes into the element colour tables that the controls draw with.
#pragma once

namespace ec {

constexpr int kFcCaptionNormal = 0;
constexpr int kFcControlNormal = 4, kFcControlHilite = 5, kFcControlDisabled = 6, kFcControlSelected = 7;
constexpr int kFcPropNormal = 12, kFcPropHilite = 13, kFcPropDisabled = 14;
constexpr int kBkcCaptionDisabled = 21;
constexpr int kBkcControlNormal = 23, kBkcControlHilite = 24, kBkcControlSelected = 26;
constexpr int kBkcMenuitemNormal = 27, kBkcMenuitemDisabled = 29;
constexpr int kBkcPropNormal = 31, kBkcPropSelected = 34;
constexpr int kBkcDefcontrolNormal = 35;
constexpr int kBkcOneraseTop = 37, kBkcOneraseBottom = 38;
constexpr int kBkcTimetagtrackNormal = 48;
constexpr int kWecFrameControlNormal = 65, kWecFrameControlHilite = 66, kWecFrameControlDisabled = 67;
constexpr int kWecFrameMenuitemNormal = 68, kWecFrameMenuitemDisabled = 70;
constexpr int kWecFramePropNormal = 71, kWecFramePropHilite = 72;
constexpr int kWecFrameBorder = 74;
constexpr int kWec3dNormal = 79, kWec3dReverse = 80, kWec3dLight = 81, kWec3dDark = 82;
constexpr int kBkcPushStartNormal = 83, kBkcPushEndNormal = 84, kBkcPushStartPushed = 85, kBkcPushEndPushed = 86;

// szExtraColors.
constexpr int kExBkcStatic = 7;
constexpr int kExListboxCommFill0 = 48;

// System pixels.
constexpr int kSysPixelKey = 0, kSysPixelLightGrey = 8, kSysPixel15 = 15, kSysPixel16 = 16;

}  // namespace ec
