// The size at which an image or an imported page of w x h points is placed.
#pragma once

namespace pdf {

struct PlacedSize {
    float width;
    float height;
};

// The size asked for, in user units of `scale` points: both 0 take the picture's own size,
// one 0 follows from the other and the picture's proportions, and with `fit` a box of both
// is narrowed to those proportions.  w and h are not 0.
inline PlacedSize SizeInBox(float w, float h, float scale, float width, float height, bool fit)
{
    if (width == 0 && height == 0)
        return {w / scale, h / scale};
    if (width == 0)
        return {height * w / h, height};
    if (height == 0)
        return {width, width * h / w};
    if (fit) {
        if (width / height < w / h)
            return {width, width * h / w};
        return {height * w / h, height};
    }
    return {width, height};
}

}  // namespace pdf
