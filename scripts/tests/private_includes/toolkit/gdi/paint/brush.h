// private to the graphics library
