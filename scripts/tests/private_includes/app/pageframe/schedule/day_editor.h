// private to app/pageframe
