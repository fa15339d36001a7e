// Each of red, green and blue is on when at least half bright; the eight colours are exactly the
// eight combinations, numbered red 1, green 2, blue 4 as terminals number them.
#include "TerminalColor.h"

Color NearestTerminalColor(COLORREF colour)
{
    const int red = (colour & 0xFF) >= 0x80 ? 1 : 0;
    const int green = ((colour >> 8) & 0xFF) >= 0x80 ? 2 : 0;
    const int blue = ((colour >> 16) & 0xFF) >= 0x80 ? 4 : 0;
    return static_cast<Color>(red | green | blue);
}
