#pragma once

#include <QRect>

namespace tuvo {

// Both windows are designed in twips, 15 to the pixel at 96 dots per inch.
constexpr int px(int twips)
{
    return (twips + 7) / 15;
}

constexpr QRect twips(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

} // namespace tuvo
