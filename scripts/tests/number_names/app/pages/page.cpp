// A page that names a device answer again.
constexpr int kErrNameMissing = 0x200208;
constexpr int kChannels = 0x200001 / 0x10000;  // arithmetic, not a constant
// Second names of the pages' shared controls.
constexpr int kCopy = 4100, kCancelButton = 2;
// A control's own id with a shared id's value: another word, no second name.
constexpr int kBondCopy = 2, kCancelled = 2;
