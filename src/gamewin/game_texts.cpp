#include "gamewin/game_texts.h"

#include "core/texts.h"
#include <cmath>

namespace tomelin {

namespace {

// The number-to-text conversion that reserves a leading position for the sign.
std::string withSign(int n) {
    std::string text;
    if (n >= 0)
        text.push_back(' ');
    text.append(std::to_string(n));
    return text;
}

}  // namespace

std::string moveLabelText(int moveNumber) {
    if (moveNumber == 0)
        return {};
    std::string text = trText("ScoreStrip", "%1. TAH");
    const std::size_t at = text.find("%1");
    return at == std::string::npos ? text : text.replace(at, 2, withSign(moveNumber));
}

std::string percentText(int percent) {
    return withSign(percent).append("% ");
}

std::string searchCaption(int percent) {
    if (percent >= 100)
        return "Tomelin";
    return std::string("Tomelin -").append(percentText(percent));
}

std::optional<CellPos> cellAt(double px, double py, double cellW, double cellH) {
    if (!(cellW > 0) || !(cellH > 0))
        return std::nullopt;
    const double cx = std::floor(px / cellW);
    const double cy = std::floor(py / cellH);
    constexpr double kFar = 1000;
    if (!(std::fabs(cx) < kFar) || !(std::fabs(cy) < kFar))
        return std::nullopt;
    return CellPos{static_cast<int>(cx), static_cast<int>(cy)};
}

}  // namespace tomelin
