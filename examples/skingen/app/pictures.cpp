#include "pictures.h"

const PictureMap& Pictures() {
    static const PictureMap pictures = [] {
        PictureMap map;
        AddOceanPictures(map);
        AddPaperPictures(map);
        AddIconPictures(map);
        return map;
    }();
    return pictures;
}

Canvas Strip(int w, int h, int count, const std::function<void(Canvas&, int, int)>& frame) {
    Canvas c(w * count, h, kMagenta);
    for (int i = 0; i < count; ++i)
        frame(c, i * w, i);
    return c;
}
