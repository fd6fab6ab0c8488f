// The frog and fly atlas: 4 x 4 cells of 128 pixels.
#include "fly.h"
#include "frog_body.h"
#include "frog_cell.h"
#include "frog_legs.h"
#include "pictures.h"

Canvas MakeFrogAtlas() {
    Canvas canvas(kFrogGrid * kFrogCell, kFrogGrid * kFrogCell);
    DrawFrogBody(canvas, 0, false);
    DrawFrogBody(canvas, 1, true);
    DrawFrogFace(canvas, 2, false);
    DrawFrogFace(canvas, 3, true);
    DrawFrogLegs(canvas);
    DrawFrogEyelids(canvas, 9, false);
    DrawFrogEyelids(canvas, 10, true);
    DrawFlyBody(canvas, 12);
    DrawFlyWing(canvas, 13);
    return canvas;
}
