// Tests may name numbers as they like.
constexpr int kSetValue = 0xF300;
constexpr int kYes = 6;  // a dialog answer too
