// Converting, colour-keyed and alpha row loops are chosen here. Only plain
// copies between identical formats exist so far; every other pair has no
// row loop, and its blit fails cleanly with -1.
#include "gdi/gal/blit_choose.h"

namespace gal {

GalRowBlit chooseConvertingBlit(GalSurface*, int) { return nullptr; }

}  // namespace gal
