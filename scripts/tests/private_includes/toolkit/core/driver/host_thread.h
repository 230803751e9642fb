// private to the core
