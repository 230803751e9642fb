// Tests name the pages' shared controls by the shared names too.
constexpr int kLoginOk = 4097;
constexpr int kOk = PAGE_ID_OK;  // an alias names no number
constexpr int kValueChanged = 1;  // other kinds are the tests' own
// ... and a dialog's answers by the toolkit's names.
constexpr int kAnswerYes = 6;
