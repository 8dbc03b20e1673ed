// Small icons that both sample skins draw alike in shape and each in its own inks: the player's
// options menu (16 x 16 images, then a shadow of each for the highlighted item) and the folder
// chooser's tree (folders closed and open, an artist, an album, a genre).
#include "pictures.h"

#include <vector>

namespace {

struct Inks {
    COLORREF main, accent;
};
using Icon = void (*)(Canvas& c, int x, Inks k);

void Play(Canvas& c, int x, Inks k) {
    c.FillTriangle(x + 4, 2, x + 4, 13, x + 13, 7, k.main);
}

void Pause(Canvas& c, int x, Inks k) {
    c.FillRect(x + 3, 2, x + 7, 14, k.main);
    c.FillRect(x + 9, 2, x + 13, 14, k.main);
}

void Previous(Canvas& c, int x, Inks k) {
    c.FillRect(x + 2, 3, x + 5, 13, k.main);
    c.FillTriangle(x + 13, 3, x + 13, 12, x + 5, 7, k.main);
}

void Next(Canvas& c, int x, Inks k) {
    c.FillTriangle(x + 2, 3, x + 2, 12, x + 10, 7, k.main);
    c.FillRect(x + 11, 3, x + 14, 13, k.main);
}

// A cog: eight teeth round a wheel with a hole.
void Gear(Canvas& c, int x, Inks k) {
    c.Line(x + 8, 1, x + 8, 14, k.main, 3);
    c.Line(x + 1, 8, x + 14, 8, k.main, 3);
    c.Line(x + 3, 3, x + 13, 13, k.main, 3);
    c.Line(x + 13, 3, x + 3, 13, k.main, 3);
    c.FillCircle(x + 8, 8, 5, k.main);
    c.FillCircle(x + 8, 8, 2, k.accent);
}

// A painter's palette with three dabs of colour.
void Palette(Canvas& c, int x, Inks k) {
    c.FillCircle(x + 8, 8, 7, k.main);
    c.FillCircle(x + 11, 11, 2, kMagenta); // the thumb hole
    c.FillCircle(x + 5, 6, 1, k.accent);
    c.FillCircle(x + 9, 4, 1, k.accent);
    c.FillCircle(x + 5, 10, 1, k.accent);
}

// Lines of text with a note beside them.
void Lyrics(Canvas& c, int x, Inks k) {
    for (int y = 3; y < 14; y += 4)
        c.FillRect(x + 1, y, x + 9, y + 2, k.main);
    c.Line(x + 13, 2, x + 13, 11, k.accent, 2);
    c.FillCircle(x + 12, 12, 2, k.accent);
}

void Folder(Canvas& c, int x, Inks k) {
    c.FillRect(x + 1, 3, x + 7, 5, k.accent);
    c.FillRect(x + 1, 5, x + 15, 14, k.main);
    c.FillRect(x + 1, 5, x + 15, 6, k.accent);
}

void OpenFolder(Canvas& c, int x, Inks k) {
    c.FillRect(x + 1, 3, x + 7, 5, k.accent);
    c.FillRect(x + 1, 5, x + 13, 14, k.accent);
    c.FillTriangle(x + 4, 8, x + 15, 8, x + 1, 14, k.main);
    c.FillTriangle(x + 15, 8, x + 12, 14, x + 1, 14, k.main);
}

void Artist(Canvas& c, int x, Inks k) {
    c.FillCircle(x + 8, 5, 3, k.main);
    c.FillCircle(x + 8, 16, 7, k.main);
    c.FillRect(x, 15, x + 16, 16, kMagenta);
}

void Album(Canvas& c, int x, Inks k) {
    c.FillCircle(x + 8, 8, 7, k.main);
    c.Ring(x + 8, 8, 5, 1, k.accent);
    c.FillCircle(x + 8, 8, 2, k.accent);
    c.Set(x + 8, 8, kMagenta);
}

void Genre(Canvas& c, int x, Inks k) {
    c.Line(x + 10, 2, x + 10, 11, k.main, 2);
    c.Line(x + 10, 2, x + 14, 5, k.main, 2);
    c.FillCircle(x + 7, 12, 3, k.main);
}

const std::vector<Icon> kMenuIcons = {Play, Pause, Previous, Next, Gear, Palette, Lyrics};
const std::vector<Icon> kFolderIcons = {Folder, OpenFolder, Artist, Album, Genre};

// The menu's icons, then the same shapes all in the shadow's colour.
Canvas MenuIcons(Inks inks, COLORREF shadow) {
    int n = int(kMenuIcons.size());
    return Strip(16, 16, 2 * n, [&](Canvas& c, int x, int i) {
        i < n ? kMenuIcons[size_t(i)](c, x, inks)
              : kMenuIcons[size_t(i - n)](c, x, Inks{shadow, shadow});
    });
}

Canvas FolderIcons(Inks inks) {
    return Strip(16, 16, int(kFolderIcons.size()),
                 [&](Canvas& c, int x, int i) { kFolderIcons[size_t(i)](c, x, inks); });
}

} // namespace

void AddIconPictures(PictureMap& pictures) {
    const Inks foam = {RGB(224, 240, 255), RGB(90, 200, 240)};
    const Inks ink = {RGB(70, 48, 32), RGB(176, 52, 40)};
    pictures.insert({
        {u"menu_icons.bmp", {[=] { return MenuIcons(foam, RGB(4, 14, 30)); }, 24}},
        {u"folder_icons.bmp",
         {[] {
              return FolderIcons({RGB(240, 200, 100), RGB(255, 236, 170)});
          },
          24}},
        {u"paper_menu_icons.bmp", {[=] { return MenuIcons(ink, RGB(196, 184, 160)); }, 24}},
        {u"paper_folder_icons.bmp",
         {[] {
              return FolderIcons({RGB(150, 110, 60), RGB(176, 52, 40)});
          },
          24}},
    });
}
