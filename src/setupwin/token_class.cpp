#include "setupwin/token_class.h"

#include <algorithm>

namespace tomelin {

int channelIndex(int value) {
    return std::clamp((255 - value) / 60, 0, kChannelSteps - 1);
}

ChannelIndices channelIndices(Rgb colour) {
    return {channelIndex(redOf(colour)), channelIndex(greenOf(colour)),
            channelIndex(blueOf(colour))};
}

Rgb colourOfIndices(const ChannelIndices& i) {
    return rgb(channelValue(i[0]), channelValue(i[1]), channelValue(i[2]));
}

int tokenColourClass(const ChannelIndices& i, bool computer) {
    const int r = i[0];
    const int g = i[1];
    const int b = i[2];
    if (r < g && r < b)
        return 0;
    if (b < r && b < g)
        return 1;
    if (r == b && r < g)
        return 2;
    if (g < r && g < b)
        return 3;
    if (r == g && r < b)
        return 4;
    if (g == b && g < r)
        return 5;
    return computer ? 8 : 12;
}

Rgb highlightColour(int colourClass) {
    switch (colourClass) {
        case 0:
            return rgb(255, 127, 127);
        case 1:
            return rgb(127, 127, 255);
        case 2:
            return rgb(255, 127, 255);
        case 3:
            return rgb(0, 255, 0);
        case 4:
            return rgb(255, 255, 0);
        case 5:
            return rgb(0, 255, 255);
        default:
            return rgb(191, 191, 191);
    }
}

int playerIconIndex(int colourClass, bool computer) {
    return computer ? colourClass + 6 : colourClass;
}

int validShape(int shape) {
    return shape >= 1 && shape <= 8 ? shape : 1;
}

}  // namespace tomelin
