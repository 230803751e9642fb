// Tests may name numbers as they like.
constexpr int kSetValue = 0xF300;
