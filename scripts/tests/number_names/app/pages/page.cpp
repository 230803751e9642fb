// A page that names a device answer again.
constexpr int kErrNameMissing = 0x200208;
constexpr int kChannels = 0x200001 / 0x10000;  // arithmetic, not a constant
