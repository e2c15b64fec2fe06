#pragma once
#include <QColor>
#include <QFont>
#include <QString>

#include <iterator>

class QWidget;

class QFrame;

namespace opusteca::style {

// The program's palette, by role. Screens name a colour here instead of
// writing its value, so the look can be changed in one place.
namespace colour {
constexpr QColor white{0xff, 0xff, 0xff};
constexpr QColor navy{0x23, 0x46, 0x6e};           // status line, captions, position label
constexpr QColor steel{0x4f, 0x7f, 0xb3};          // top of the archive windows, buttons
constexpr QColor mist{0xdb, 0xe7, 0xf3};           // bottom of the archive and dialog windows
constexpr QColor steelBlue{0x46, 0x82, 0xb4};      // top of the start menu
constexpr QColor powder{0xc4, 0xd6, 0xea};         // bottom of the password windows
constexpr QColor alert{0xb2, 0x22, 0x34};          // loan captions, cancelled flag, hints
constexpr QColor crimson{0xdc, 0x14, 0x3c};        // help titles
constexpr QColor working{0x00, 0x80, 0x00};        // "please wait" texts: dark green
constexpr QColor count{0x00, 0x8b, 0x8b};          // counts of found records
constexpr QColor title{0x19, 0x37, 0x5f};          // start menu title
constexpr QColor subtitle{0x46, 0x5a, 0x78};       // start menu subtitle and site
constexpr QColor pictureCaption{0x28, 0x37, 0x50}; // captions under command pictures
constexpr QColor focus{0xff, 0xec, 0x40};          // focus highlight
constexpr QColor gold{0xe8, 0xb2, 0x3a};           // rule under drawn titles, as in the artwork
constexpr QColor paper{0xf8, 0xfb, 0xfe};          // field areas and card sections
constexpr QColor paperBorder{0xc3, 0xd3, 0xe4};
constexpr QColor container{0xee, 0xf3, 0xf9}; // the centred panel of an archive screen
constexpr QColor containerBorder{0x8f, 0xa9, 0xc7};
constexpr QColor groupBorder{0xb8, 0xc8, 0xda}; // toolbar groups
constexpr QColor frameBorder{0xd5, 0xe0, 0xec}; // frames behind section pictures
constexpr QColor sheetBorder{0x9f, 0xb6, 0xcd}; // the start menu's sheet
constexpr QColor link{0x00, 0x00, 0x8b};        // link texts: dark blue
constexpr QColor linkPressed{0xff, 0x8c, 0x00}; // a link text while the mouse button is down
constexpr QColor black{0x00, 0x00, 0x00};
constexpr QColor charcoal{0x2b, 0x2b, 0x2b};     // bottom of the credits screen
constexpr QColor lightBlue{0xad, 0xd8, 0xe6};    // bottom of the help viewer
constexpr QColor readOnlyText{0x6e, 0x6e, 0x6e}; // names the user picks but cannot type
// On paper.
constexpr QColor printBar{0x70, 0x80, 0x90};     // title and date bars of the printed lists: slate grey
constexpr QColor printHeading{0xb0, 0xc4, 0xde}; // heading of the printed book card: light steel blue
constexpr QColor printFooter{0xff, 0xd7, 0x00};  // footer of the printed book card: gold
} // namespace colour

// Two colours a window is shaded with, from top to bottom.
struct Shade {
    QColor top;
    QColor bottom;
};
constexpr Shade archiveWindow{colour::steel, colour::mist};
constexpr Shade menuWindow{colour::steelBlue, colour::white};
constexpr Shade dialogWindow{colour::white, colour::mist};
constexpr Shade passwordWindow{colour::white, colour::powder};
constexpr Shade infoWindow{colour::black, colour::white};
constexpr Shade creditsWindow{colour::white, colour::charcoal};
constexpr Shade helpWindow{colour::white, colour::lightBlue};
constexpr Shade slotPanel{colour::paper, colour::powder}; // the attachment slots
constexpr Shade titleBanner{colour::navy, colour::steel}; // drawn titles, left to right

// The faces the screens and the printed pages ask for by name; the set-up
// scripts install metric-compatible substitutes where they are missing.
enum class Face { Verdana, Arial, CourierNew, Tahoma };
// Inline: the report layouts, below the screens, name faces too.
inline QString faceName(Face face)
{
    static constexpr const char *kNames[] = {"Verdana", "Arial", "Courier New", "Tahoma"}; // in Face's order
    static_assert(std::size(kNames) == size_t(Face::Tahoma) + 1);
    return QString::fromLatin1(kNames[size_t(face)]);
}
QFont font(int pointSize, bool bold = false, Face face = Face::Verdana);
// Text typed into card fields.
QFont fieldFont();
// Captions of fields and groups.
QFont captionFont(int pointSize = 9);
// Lists whose lines are padded into columns.
QFont listFont();

// Colours in style sheets.
QString css(const QColor &colour);
QString verticalGradient(const Shade &shade);
// Sets the text colour of a label or check box.
void setTextColour(QWidget *w, const QColor &colour);
// Shades a dialog's own background from top to bottom; its controls keep theirs.
void setDialogShade(QWidget *dialog, const Shade &shade);

// The rounded rectangles screens are made of. The style applies to the
// widget itself (by object name), not to the controls inside it.
enum class Panel {
    Container,    // the centred panel of an archive screen
    Paper,        // field areas and card sections
    ToolbarGroup, // a white group of command pictures
    PictureFrame, // the frame behind a section picture
    Sheet,        // the white sheet of the start menu
};
void setPanel(QWidget *w, Panel panel);
// A new frame named `name`, drawn as `panel`.
QFrame *panel(const QString &name, Panel look, QWidget *parent);

} // namespace opusteca::style
