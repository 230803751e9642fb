/* A made-up toolkit's dialog buttons and answers. */
#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
