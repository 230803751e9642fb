// Second names the check reports: one of each kind and form.
namespace {
constexpr int kSetValue = 0xF300;                    // a control message
constexpr int kPingTarget = 2, kPing = 300;          // used as a message below
enum Notes {
  kValueChanged = 1,                                 // a notification
  kOther = 7
};
#define WIDGET_TAKES_ALL_KEYS 0x4                    /* a dialog code */
static const unsigned kEditKey = 147;                // a panel key
// Not second names: sizes, ids and a style bit of the same values.
constexpr int kRows = 1, kWidth = 300, kFirstId = 147, kNotifyStyle = 8;
// "constexpr int kQuoted = 300;" inside a text is no definition.
const char* kText = "constexpr int kQuoted = 300;";
}  // namespace

void Ping(int window) { SendMessage(window, kPing, 0, 0); }
// The toolkit never sees the application's page ids.
constexpr int kCopyId = 4100;
