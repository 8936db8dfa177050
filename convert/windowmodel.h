#pragma once

#include "convert/text.h"

namespace tuvo {

// What the conversions see of the main window: the two fields and the
// captions of its three hidden labels, which serve as scratch strings.
struct WindowModel
{
    Text text1;
    Text text2;
    Text label1 = U"Label1";
    Text label2 = U"Label2";
    Text label5 = U"Label5";
};

} // namespace tuvo
