// private to app/core
