#pragma once

// The look shared by every skin: colours, fonts and the drawing of each kind of part.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>

namespace skins {

namespace theme {
inline const QColor kWindowTop{0x13, 0x18, 0x24};
inline const QColor kWindowBottom{0x0C, 0x10, 0x18};
inline const QColor kPanel{0x1A, 0x20, 0x2E};
inline const QColor kPanelBorder{0x28, 0x31, 0x45};
inline const QColor kWell{0x14, 0x18, 0x22};
inline const QColor kWellBorder{0x2E, 0x38, 0x4D};
inline const QColor kCaption{0xA3, 0xAE, 0xC2};
inline const QColor kCaptionDim{0x56, 0x60, 0x73};
inline const QColor kAccent{0x2E, 0xC4, 0xB6};
inline const QColor kAccentDeep{0x1C, 0x8F, 0x86};
inline const QColor kViolet{0x8B, 0x7B, 0xFF};
inline const QColor kInk{0x0A, 0x17, 0x1A};
inline const QColor kTrack{0x12, 0x16, 0x20};
inline const QColor kList{0x16, 0x1B, 0x27};
}  // namespace theme

// How a part looks in one frame: at rest, hovered or pressed, with the hover animation's frame.
enum class Look { kRest, kHover, kPressed };
struct State {
  Look look = Look::kRest;
  int frame = 0;
};

// A bold face at a pixel size, hinted for crisp small text.
QFont PixelFont(int pixels, bool bold = true, qreal spacing = 0);

// Text with its top-left corner at (x, y); CaptionRight ends at right.
void Caption(QPainter& painter, int x, int y, const QString& text, QColor colour = theme::kCaption);
void CaptionRight(QPainter& painter, int right, int y, const QString& text,
                  QColor colour = theme::kCaption);
// A spaced uppercase title in the accent colour.
void SectionTitle(QPainter& painter, int x, int y, const QString& text);

// The product's name, "Kalvoren" over a spaced "ZARN", and a tagline below, from the top-left
// corner; the other sizes follow the name's.
void Wordmark(QPainter& painter, QPoint at, int namePixels, const QString& tagline,
              int taglinePixels, QColor taglineColour);
// A letter caught in flight: fading copies trail it, each one step further back.
void FlyingLetter(QPainter& painter, QRect cell, QChar letter, QColor colour, int trails,
                  QPoint step);

void WindowBackground(QPainter& painter, QRect area);
void Panel(QPainter& painter, QRect area);
// The dark field behind an edit, a font summary or a swatch; dim when switched off.
void Well(QPainter& painter, QRect area, bool dim = false);
// Light diagonal stripes moving two pixels a frame, so six frames make one seamless loop.
void Stripes(QPainter& painter, const QPainterPath& clip, int frame, QColor colour);

void Button(QPainter& painter, QRect area, const QString& caption, bool primary, State state);
void Checkbox(QPainter& painter, QRect area, bool checked, State state);
void ScrollTrack(QPainter& painter, QRect area);
void ScrollArrow(QPainter& painter, QRect area, bool up, State state);
void ScrollThumb(QPainter& painter, QRect area, State state);
// A list row of a kind (0: Flash 3, 1: Flash 4): normal, hovered or selected.
enum class RowLook { kNormal, kHovered, kSelected };
void ListRow(QPainter& painter, QRect area, int kind, RowLook look);
// The colour chooser's frame: a well with a small drop-down mark; the swatch shows inside.
QRect SwatchHole(QRect area);
void SwatchFrame(QPainter& painter, QRect area);

}  // namespace skins
