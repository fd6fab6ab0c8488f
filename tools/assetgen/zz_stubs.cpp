#include "pictures.h"


Canvas MakeFrogAtlas(){return Canvas(8,8);}
Canvas MakeLilyPad(){return Canvas(8,8);}
Canvas MakeBackground(Season){return Canvas(8,8);}
