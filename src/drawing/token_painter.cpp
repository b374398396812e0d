#include "drawing/token_painter.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tomelin {

namespace {

constexpr double kPi = 3.14159265358979;
constexpr Rgb kFieldGrey = rgb(127, 127, 127);

Rgb grey(double g) {
    const int v = clampChannel(g);
    return rgb(v, v, v);
}

// Runs `body(t)` for t = start, start + step, … up to `end` inclusive (down to it for a
// negative step). Each t is computed from its index so that long runs of small fractional
// steps do not drift past their last value.
template <typename Body>
void loop(double start, double end, double step, Body body) {
    const double slack = 1e-9 * (1 + std::abs(end));
    for (long i = 0;; ++i) {
        const double t = start + static_cast<double>(i) * step;
        if (step > 0 ? t > end + slack : t < end - slack)
            break;
        body(t);
    }
}

// Neighbouring outlines of a run may lie at most this far apart: one-pixel outlines a
// pixel or more apart leave pinholes and stripes of the background between them.
constexpr double kMaxOutlineGap = 0.5;

// The passes of `loop`, each followed by as many in-between outlines in the pass's own
// colour as keep the outlines at most kMaxOutlineGap apart; `spread` is how many pixels
// the outlines move per unit of t. `body(t, shade)` draws the outline at t in the colour of
// pass `shade`, so the bands of colour stay where the passes put them.
template <typename Body>
void closedLoop(double start, double end, double step, double spread, Body body) {
    const double gap = std::abs(step) * spread;
    const int fill = std::max(1, static_cast<int>(std::ceil(gap / kMaxOutlineGap - 1e-9)));
    const double slack = 1e-9 * (1 + std::abs(end));
    loop(start, end, step, [&](double shade) {
        for (int j = 0; j < fill; ++j) {
            const double t = shade + j * step / fill;
            if (step > 0 ? t > end + slack : t < end - slack)
                break;
            body(t, shade);
        }
    });
}

struct Box {
    double x, y, w, h;
};

// The grey board field of a cell: the rim, the raised square and its two white lines.
// `tint` is the player's colour for shape 8, or nothing for the plain grey field.
void paintField(DrawSurface& s, double x0, double y0, double w, double h, const Rgb* tint) {
    const double inset = h / 6;
    loop(0, h / 3, 1, [&](double t) {
        const double level = (156 / h) * 3 / 2 * t;
        Rgb colour;
        if (tint) {
            const double k = level + 127;
            colour = rgb(clampChannel(k * redOf(*tint) / 191 + 32),
                         clampChannel(k * greenOf(*tint) / 191 + 32),
                         clampChannel(k * blueOf(*tint) / 191 + 32));
        } else {
            colour = grey(level + 64);
        }
        s.fillBox(x0 + inset + t, y0 + inset + t, x0 + w - inset - t, y0 + h - inset - t, colour);
    });
    s.boxOutline(x0 + inset + 1, y0 + inset + 1, x0 + w - inset - 1, y0 + h - inset - 1, kWhite);
    s.boxOutline(x0 + inset - 1, y0 + inset - 1, x0 + w - inset + 1, y0 + h - inset + 1, kWhite);
}

void paintRectangle(DrawSurface& s, const Box& b, Rgb c, double d) {
    loop(0, b.w / 4, 3 / d, [&](double t) {
        s.fillBox(b.x + b.w / 4 + t / 2, b.y + b.w / 4 + t / 4, b.x + b.w - b.w / 4 - t,
                  b.y + b.h - b.w / 4 - t / 2, gradientColour(c, 3.5 * t / b.w));
    });
}

void paintTriangle(DrawSurface& s, const Box& b, Rgb c, double d) {
    // Q moves fastest: 1.5 pixels per unit of t.
    closedLoop(0, b.w / 4, 1 / d, 1.5, [&](double t, double shade) {
        const Rgb colour = gradientColour(c, 3.5 * shade / b.w);
        const double px = b.x + b.w / 4 + t / 2;
        const double py = b.y + b.h - b.w / 4 - t / 2;
        const double qx = b.x + b.w - b.w / 4 - 1.5 * t;
        const double ax = b.x + b.w / 3 + t / 10;
        const double ay = b.y + b.w / 4 + t / 4;
        s.line(px, py, qx, py, colour);
        s.line(px, py, ax, ay, colour);
        s.line(qx + 1, py, ax, ay, colour);
    });
}

void paintHexagon(DrawSurface& s, const Box& b, Rgb c, double d) {
    closedLoop(0, b.w * 3 / 8, 3 / d, 0.5, [&](double t, double shade) {
        const Rgb colour = gradientColour(c, 2.5 * shade / b.w);
        const double left = b.x + b.w / 4;
        const double right = b.x + 3 * b.w / 4;
        const double midY = b.y + b.h / 2;
        const double topY = b.y + b.h / 4 + t / 2;
        const double bottomY = b.y + 3 * b.h / 4 - t / 2;
        s.line(left + t / 2, midY, left + b.h / 4, topY, colour);
        s.line(right - t / 2, midY, right - b.h / 4, topY, colour);
        s.line(left + t / 2, midY, left + b.h / 4, bottomY, colour);
        s.line(right - t / 2, midY, right - b.h / 4, bottomY, colour);
        s.line(left + b.h / 4, topY + 1, right - b.h / 4 + 2, topY + 1, colour);
        s.line(left + b.h / 4, bottomY - 1, right - b.h / 4 + 2, bottomY - 1, colour);
    });
}

struct Spot {
    double x = 0, y = 0, size = 0;
};

// Eleven random places inside the middle third of the token box; shape 4 also draws a size.
std::array<Spot, 11> randomSpots(const Box& b, RandomSource& random, bool withSize) {
    std::array<Spot, 11> spots;
    for (Spot& spot : spots) {
        spot.x = std::floor(b.x + b.w / 3 + random.next() * (b.w - b.w / 1.5));
        spot.y = std::floor(b.y + b.h / 3 + random.next() * (b.h - b.h / 1.5));
        if (withSize)
            spot.size = random.next() * 0.2 + 0.3;
    }
    return spots;
}

void paintSquares(DrawSurface& s, const Box& b, Rgb c, double d, RandomSource& random) {
    const auto spots = randomSpots(b, random, true);
    // The corners move by the square's size (at most 0.5) and u / 8 per unit of t.
    closedLoop(b.w / 5, 0, -2.5 / d, 0.625, [&](double t, double shade) {
        const double u = b.w / 5 - t;
        const Rgb colour = gradientColour(c, 3.5 * (b.w / 5 - shade) / b.w);
        for (int k = 0; k <= 5; ++k) {
            const Spot& p = spots[static_cast<std::size_t>(k)];
            s.boxOutline(p.x - u / 32 * 4 - t * p.size, p.y - u / 64 * 4 - t * p.size,
                         p.x + u / 32 * 2 + t * p.size, p.y - u / 64 * 4 + t * p.size, colour);
        }
    });
}

void paintOval(DrawSurface& s, const Box& b, Rgb c, double d) {
    // The radius grows by 4/3 and the centre moves by 1/4 per unit of t.
    closedLoop(0, b.w / 5, 0.5 / d, 4.0 / 3 + 0.25, [&](double t, double shade) {
        const double u = b.w / 5 - t;
        s.ellipse(b.x + b.w / 2 - u / 4, b.y + b.h / 2 - u / 8, t / 3 * 4, 0.5,
                  gradientColour(c, 5.5 * (b.w / 5 - shade) / b.w));
    });
}

void paintStar(DrawSurface& s, const Box& b, Rgb c, double d) {
    // The radius shrinks by 1 and the centres move by 1/4 per unit of t.
    closedLoop(b.w / 5, 0, -1 / d, 1.25, [&](double t, double shade) {
        const double u = b.w / 5 - t;
        const Rgb colour = gradientColour(c, 5.5 * (b.w / 5 - shade) / b.w);
        const double cy = b.y + b.h / 2 - u / 8;
        const double cx = b.x + b.w / 2 - u / 4;
        s.ellipse(b.x + b.w / 3 - u / 4 + b.w / 5, cy, t, 2.5, colour);
        s.ellipse(b.x + 2 * b.w / 3 - u / 4 - b.w / 5, cy, t, 2.5, colour);
        s.ellipse(cx, b.y + b.h / 4 - u / 8 + b.h / 5, t, 0.4, colour);
        s.ellipse(cx, b.y + 3 * b.h / 4 - u / 8 - b.h / 5, t, 0.4, colour);
    });
}

void paintRings(DrawSurface& s, const Box& b, Rgb c, double d, RandomSource& random) {
    const auto spots = randomSpots(b, random, false);
    // The radius shrinks by 0.4 and the centres move by 3/16 per unit of t.
    closedLoop(b.w / 5, 0, -2.5 / d, 0.4 + 3.0 / 16, [&](double t, double shade) {
        const double u = b.w / 5 - t;
        const Rgb colour = gradientColour(c, 3.5 * (b.w / 5 - shade) / b.w);
        for (const Spot& p : spots) {
            s.ellipse(p.x - u / 32 * 4, p.y - u / 64 * 4, 0.4 * t, 1, colour);
        }
    });
}

// The computer's strength marks: eyes from strength 1, a mouth from 2, a nose from 3 and
// at 4 ("PC Velmistr") a brow over the eyes.
void paintStrengthMarks(DrawSurface& s, const Box& b, Rgb c, double d, int kind) {
    if (kind >= 1) {
        loop(0, b.h / 6, 0.45 / d, [&](double t) {
            const Rgb colour = grey(60 / b.h * 6 * t * 7);
            s.ellipse(b.x + b.w * 2.4 / 4, b.y + b.h / 2.5, t, 2, colour);
            s.ellipse(b.x + b.w * 1.6 / 4, b.y + b.h / 2.5, t, 2, colour);
        });
    }
    if (kind >= 2) {
        const auto point = [&](int a) {
            return std::array<double, 2>{
                b.x + b.w / 720 * a + b.w / 4,
                b.y + 0.5 * b.h - std::abs(std::sin(a * kPi / 180)) * 0.25 * b.h};
        };
        for (int a = 60; a <= 300; a += 5) {
            const auto p = point(a);
            const auto q = point(a + 5);
            s.boxOutline(p[0], p[1], q[0], q[1], grey(std::abs(180 - a)));
        }
    }
    if (kind >= 4) {
        // Dark on the token, with a light edge above that shows it where it stands over the
        // black background (shapes lower than the brow).
        const double y = b.y + b.h / 2.5 - b.h / 6 - 2;
        s.boxOutline(b.x + b.w * 1.3 / 4, y - 1, b.x + b.w * 2.7 / 4, y - 1, grey(200));
        for (int k = 0; k < 2; ++k)
            s.boxOutline(b.x + b.w * 1.3 / 4, y + k, b.x + b.w * 2.7 / 4, y + k, grey(20));
    }
    if (kind >= 3) {
        loop(b.h / 3.5, 0, -0.45 / d, [&](double t) {
            const double f = 3 * t / b.w;
            const Rgb colour =
                rgb(clampChannel(255 - (0.75 * redOf(c) + (255 - 0.75 * redOf(c)) * f)),
                    clampChannel(255 - (0.75 * greenOf(c) + (255 - 0.75 * greenOf(c)) * f)),
                    clampChannel(255 - (0.75 * blueOf(c) + (255 - 0.75 * blueOf(c)) * f)));
            s.ellipse(b.x + b.w / 2, b.y + t + b.h / 3, t / 4, 0.5, colour);
        });
    }
}

}  // namespace

int clampChannel(double value) {
    const double v = std::nearbyint(value);
    if (v > 255)
        return 255;
    if (v < 0)
        return 0;
    return static_cast<int>(v);
}

int gradientChannel(int c, double f) {
    return clampChannel(0.75 * c + (255 - 0.75 * c) * f);
}

Rgb gradientColour(Rgb colour, double f) {
    return rgb(gradientChannel(redOf(colour), f), gradientChannel(greenOf(colour), f),
               gradientChannel(blueOf(colour), f));
}

void drawToken(DrawSurface& target, const TokenPlace& place, const TokenLook& look,
               RandomSource& random) {
    const int shapeCode = look.shape;
    const Rgb colour = look.colour;
    const int playerKind = look.playerKind;
    const bool drawField = look.drawField;
    const double h = place.cellHeight;
    const double w = h / 3 * 4;
    const double d = drawingDetail(look.detailLevel);
    const double x0 = place.x * w;
    const double y0 = place.y * h;
    const bool fieldMode = drawField || shapeCode == kShapeField;

    target.fillBox(x0, y0, x0 + w, y0 + h, target.backgroundColour());
    Box box{};
    if (fieldMode) {
        target.fillBox(x0 + h / 15, y0 + h / 15, x0 + w - h / 15, y0 + h - h / 15, kFieldGrey);
        paintField(target, x0, y0, w, h, nullptr);
        box = {x0, y0, w, h};
    } else {
        const double bw = 1.5 * w;
        const double bh = 1.5 * h;
        box = {x0 - bw / 6, y0 - bh / 6, bw, bh};
    }

    switch (shapeCode) {
        case kShapeRectangle:
            paintRectangle(target, box, colour, d);
            break;
        case kShapeTriangle:
            paintTriangle(target, box, colour, d);
            break;
        case kShapeHexagon:
            paintHexagon(target, box, colour, d);
            break;
        case kShapeSquares:
            paintSquares(target, box, colour, d, random);
            break;
        case kShapeOval:
            paintOval(target, box, colour, d);
            break;
        case kShapeStar:
            paintStar(target, box, colour, d);
            break;
        case kShapeRings:
            paintRings(target, box, colour, d, random);
            break;
        case kShapeField:
            paintField(target, x0, y0, w, h, &colour);
            break;
        default:
            break;
    }
    paintStrengthMarks(target, box, colour, d, playerKind);
    target.refresh();
}

}  // namespace tomelin
