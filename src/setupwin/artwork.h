#pragma once
// The program's own pictures, all drawn in code: player icons (also used as mouse cursors),
// the logo, the title picture, the application icon and the setup window's music button.

#include <QColor>
#include <QCursor>
#include <QImage>
#include <QPixmap>

namespace tomelin {

// Indices of the fifteen shared pictures (`Image1(0..14)` of the setup window).
//  0..5  a person in the colour classes red, blue, magenta, green, yellow, cyan
//  6..11 the computer in the same classes
//  12    a person in grey, 13 an empty spot (the editor's "no cell" tool), 14 the computer in grey
inline constexpr int kSharedPictureCount = 15;
inline constexpr int kPersonGreyPicture = 12;
inline constexpr int kNoCellPicture = 13;
inline constexpr int kComputerGreyPicture = 14;

// Draws every picture the windows share; stateless, each call draws afresh.
class Artwork {
public:
    // Shared picture `index` (0..14) as a square image of `size` pixels with transparency.
    // An index outside 0..14 gives a transparent image.
    static QImage sharedPicture(int index, int size = 32);
    // The same picture as a mouse cursor, hot spot in its centre.
    static QCursor sharedCursor(int index);

    // `Image3`: the logo shown on the setup window's logo button and the splash, 264 x 50.
    static QPixmap logo();
    // `Image2`: the title picture of the splash and the About window, 360 x 96.
    static QPixmap titlePicture();
    // The application icon: a corner of a board with two tokens. Needs no fonts, so it can be
    // drawn without a running application (the icon generator does so at build time).
    static QImage appIcon(int size);
    // `Picture13(1)` of the setup window: the music button, 24 wide and 44 high, the normal
    // look in the upper half and the pressed look in the lower half, painted in the key
    // colours that start-up recolours.
    static QImage musicButton();

    // The colour of a colour class (0..5 as above, anything else grey) for the icons.
    static QColor classColour(int colourClass);
};

}  // namespace tomelin
