// Hit codes the default procedures and the painting code speak, and the
// few key and command words they read. Message numbers are the public
// MSG_* names.
#pragma once

namespace winmsg {

// Key-flag bit of mouse input the desktop hands straight to the capture
// window: the number is a client one but the position is on the screen.
constexpr unsigned long kCapturedFlag = 0x0400;

constexpr unsigned long kSysCloseCommand = 61536;  // wParam of MSG_SYSCOMMAND that closes
constexpr int kScanNoPermission = 120;
constexpr int kCloseKey = 1;  // wParam of MSG_KEYDOWN that closes pages

}  // namespace winmsg

// Answers of message 33.
namespace hit {

constexpr int kOutside = 1, kMenuBar = 2, kTransparent = 3, kBorder = 4, kClient = 12;
constexpr int kIcon = 20, kClose = 21, kMaximize = 22, kMinimize = 23;
constexpr int kHScroll = 24, kVScroll = 25, kCaption = 33;
constexpr int kNoPressBit = 0x20;  // caption and borders
constexpr int kCaptureBit = 0x10;  // icon, buttons and bars

}  // namespace hit
