#include "res/skins/skin_theme.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace skins {

namespace {

constexpr int kStripePeriod = 12;
constexpr int kStripeShift = 2;
constexpr int kStripeWidth = 5;

QPainterPath RoundedPath(const QRectF& area, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(area, radius, radius);
  return path;
}

// A rectangle's inside for antialiased outlines of one pixel.
QRectF Inset(QRect area, qreal by = 0.5) {
  return QRectF(area).adjusted(by, by, -by, -by);
}

void Chevron(QPainter& painter, QPointF centre, bool up, QColor colour) {
  const qreal rise = up ? -2.5 : 2.5;
  QPen pen(colour, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  const QPointF points[] = {centre + QPointF(-4, -rise), centre + QPointF(0, rise),
                            centre + QPointF(4, -rise)};
  painter.drawPolyline(points, 3);
}

}  // namespace

QFont PixelFont(int pixels, bool bold, qreal spacing) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStyleStrategy(QFont::PreferAntialias);
  if (spacing != 0) font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
  return font;
}

void Caption(QPainter& painter, int x, int y, const QString& text, QColor colour) {
  painter.setFont(PixelFont(11));
  painter.setPen(colour);
  painter.drawText(QRect(x, y, 400, 16), Qt::AlignLeft | Qt::AlignVCenter, text);
}

void CaptionRight(QPainter& painter, int right, int y, const QString& text, QColor colour) {
  painter.setFont(PixelFont(11));
  painter.setPen(colour);
  painter.drawText(QRect(right - 400, y, 400, 16), Qt::AlignRight | Qt::AlignVCenter, text);
}

void SectionTitle(QPainter& painter, int x, int y, const QString& text) {
  painter.setFont(PixelFont(10, true, 1.2));
  painter.setPen(theme::kAccent);
  painter.drawText(QRect(x, y, 400, 14), Qt::AlignLeft | Qt::AlignVCenter, text.toUpper());
}

void Wordmark(QPainter& painter, QPoint at, int namePixels, const QString& tagline,
              int taglinePixels, QColor taglineColour) {
  const int nameHeight = namePixels * 5 / 4;
  painter.setFont(PixelFont(namePixels));
  painter.setPen(QColor(0xF0, 0xF3, 0xF9));
  painter.drawText(QRect(at.x(), at.y(), 600, nameHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   "Kalvoren");
  const int zarnPixels = namePixels * 11 / 20;
  const int zarnTop = at.y() + nameHeight;
  painter.setFont(PixelFont(zarnPixels, true, namePixels / 5.0));
  painter.setPen(theme::kAccent);
  painter.drawText(QRect(at.x() + 2, zarnTop, 600, zarnPixels * 3 / 2),
                   Qt::AlignLeft | Qt::AlignVCenter, "ZARN");
  painter.setFont(PixelFont(taglinePixels, false));
  painter.setPen(taglineColour);
  painter.drawText(QRect(at.x() + 2, zarnTop + zarnPixels * 3 / 2 + taglinePixels / 2, 600,
                         taglinePixels * 3 / 2),
                   Qt::AlignLeft | Qt::AlignVCenter, tagline);
}

void FlyingLetter(QPainter& painter, QRect cell, QChar letter, QColor colour, int trails,
                  QPoint step) {
  for (int trail = trails; trail >= 0; --trail) {
    QColor shade = colour;
    shade.setAlpha(trail == 0 ? 255 : 64 >> trail);
    painter.setPen(shade);
    painter.drawText(cell.translated(step * trail), Qt::AlignCenter, QString(letter));
  }
}

void WindowBackground(QPainter& painter, QRect area) {
  QLinearGradient fill(area.topLeft(), area.bottomLeft());
  fill.setColorAt(0, theme::kWindowTop);
  fill.setColorAt(1, theme::kWindowBottom);
  painter.fillRect(area, fill);
}

void Panel(QPainter& painter, QRect area) {
  painter.setPen(QPen(theme::kPanelBorder, 1));
  painter.setBrush(theme::kPanel);
  painter.drawRoundedRect(Inset(area), 7, 7);
}

void Well(QPainter& painter, QRect area, bool dim) {
  painter.setPen(QPen(dim ? theme::kPanelBorder : theme::kWellBorder, 1));
  painter.setBrush(dim ? theme::kPanel.darker(115) : theme::kWell);
  painter.drawRoundedRect(Inset(area), 4, 4);
}

void Stripes(QPainter& painter, const QPainterPath& clip, int frame, QColor colour) {
  painter.save();
  painter.setClipPath(clip, Qt::IntersectClip);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  const QRectF box = clip.boundingRect();
  const qreal height = box.height();
  const qreal start = box.left() - height - kStripePeriod + frame * kStripeShift;
  for (qreal x = start; x < box.right() + kStripePeriod; x += kStripePeriod) {
    const QPointF points[] = {{x, box.bottom()},
                              {x + kStripeWidth, box.bottom()},
                              {x + kStripeWidth + height, box.top()},
                              {x + height, box.top()}};
    painter.drawPolygon(points, 4);
  }
  painter.restore();
}

void Button(QPainter& painter, QRect area, const QString& caption, bool primary, State state) {
  const QRectF shape = Inset(area);
  const QPainterPath path = RoundedPath(shape, shape.height() / 2);
  QColor top = primary ? QColor(0x3A, 0xD6, 0xC8) : QColor(0x33, 0x3D, 0x54);
  QColor bottom = primary ? QColor(0x22, 0xA8, 0x9C) : QColor(0x26, 0x2E, 0x41);
  if (state.look == Look::kHover) {
    top = top.lighter(112);
    bottom = bottom.lighter(112);
  } else if (state.look == Look::kPressed) {
    std::swap(top, bottom);
    top = top.darker(115);
    bottom = bottom.darker(105);
  }
  QLinearGradient fill(shape.topLeft(), shape.bottomLeft());
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  painter.setPen(Qt::NoPen);
  painter.setBrush(fill);
  painter.drawPath(path);
  if (state.look != Look::kRest) {
    Stripes(painter, path, state.frame, QColor(255, 255, 255, primary ? 38 : 22));
  }
  const QColor edge = state.look == Look::kRest
                          ? (primary ? QColor(0x5E, 0xE6, 0xD9) : theme::kWellBorder)
                          : QColor(0xB8, 0xFF, 0xF6);
  painter.setPen(QPen(edge, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(path);
  painter.setFont(PixelFont(11));
  painter.setPen(primary ? theme::kInk : QColor(0xE4, 0xE9, 0xF2));
  const QRect textArea = area.translated(0, state.look == Look::kPressed ? 1 : 0);
  painter.drawText(textArea, Qt::AlignCenter, caption);
}

void Checkbox(QPainter& painter, QRect area, bool checked, State state) {
  const QRectF shape = Inset(area).adjusted(0.5, 0, -0.5, 0);
  const QPainterPath path = RoundedPath(shape, 4);
  const bool active = state.look != Look::kRest;
  painter.setPen(Qt::NoPen);
  if (checked) {
    QLinearGradient fill(shape.topLeft(), shape.bottomLeft());
    fill.setColorAt(0, active ? QColor(0x55, 0xE0, 0xD3) : theme::kAccent);
    fill.setColorAt(1, active ? theme::kAccent : theme::kAccentDeep);
    painter.setBrush(fill);
  } else {
    painter.setBrush(theme::kWell);
  }
  painter.drawPath(path);
  if (active) Stripes(painter, path, state.frame, QColor(255, 255, 255, checked ? 50 : 28));
  painter.setPen(QPen(
      active ? QColor(0x7F, 0xEF, 0xE4) : (checked ? theme::kAccent : QColor(0x44, 0x50, 0x6B)),
      1));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(path);
  if (checked) {
    painter.setPen(QPen(theme::kInk, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF origin = shape.topLeft();
    const QPointF points[] = {origin + QPointF(4, 7.5), origin + QPointF(7, 10.5),
                              origin + QPointF(12, 4.5)};
    painter.drawPolyline(points, 3);
  }
}

void ScrollTrack(QPainter& painter, QRect area) {
  painter.fillRect(area, theme::kList);
  painter.fillRect(QRect(area.left(), area.top(), 1, area.height()), theme::kPanelBorder);
  const int middle = area.left() + area.width() / 2;
  painter.fillRect(QRect(middle - 1, area.top() + 24, 2, area.height() - 48), theme::kTrack);
}

void ScrollArrow(QPainter& painter, QRect area, bool up, State state) {
  painter.fillRect(area, theme::kList);
  painter.fillRect(QRect(area.left(), area.top(), 1, area.height()), theme::kPanelBorder);
  const QRectF pad = QRectF(area).adjusted(3.5, 2.5, -2.5, -2.5);
  const QPainterPath path = RoundedPath(pad, 4);
  QColor mark(0x8A, 0x96, 0xAE);
  if (state.look != Look::kRest) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(state.look == Look::kPressed ? theme::kAccentDeep : QColor(0x23, 0x2B, 0x3D));
    painter.drawPath(path);
    Stripes(painter, path, state.frame, QColor(255, 255, 255, 24));
    mark = state.look == Look::kPressed ? QColor(0xEE, 0xFF, 0xFC) : theme::kAccent;
  }
  Chevron(painter, pad.center(), up, mark);
}

void ScrollThumb(QPainter& painter, QRect area, State state) {
  // The track around the thumb is its middle part, without the groove's ends.
  painter.save();
  painter.setClipRect(area);
  ScrollTrack(painter, QRect(area.left(), area.top() - 24, area.width(), area.height() + 48));
  painter.restore();
  const QRectF grip = QRectF(area).adjusted(6.5, 2.5, -5.5, -2.5);
  const QPainterPath path = RoundedPath(grip, 4);
  QColor fill(0x3E, 0x4A, 0x63);
  if (state.look == Look::kHover) fill = theme::kAccent;
  if (state.look == Look::kPressed) fill = theme::kAccentDeep;
  painter.setPen(Qt::NoPen);
  painter.setBrush(fill);
  painter.drawPath(path);
  if (state.look != Look::kRest) Stripes(painter, path, state.frame, QColor(255, 255, 255, 45));
}

void ListRow(QPainter& painter, QRect area, int kind, RowLook look) {
  painter.fillRect(area, theme::kList);
  const QRectF band = QRectF(area).adjusted(1.5, 1.5, -1.5, -1.5);
  const QColor marker = kind == 0 ? theme::kAccent : theme::kViolet;
  if (look != RowLook::kNormal) {
    painter.setPen(Qt::NoPen);
    if (look == RowLook::kSelected) {
      QLinearGradient fill(band.topLeft(), band.topRight());
      fill.setColorAt(0, kind == 0 ? QColor(0x1A, 0x7F, 0x77) : QColor(0x4B, 0x3F, 0xA8));
      fill.setColorAt(1, kind == 0 ? QColor(0x16, 0x4F, 0x52) : QColor(0x30, 0x2C, 0x66));
      painter.setBrush(fill);
    } else {
      painter.setBrush(QColor(0x24, 0x2C, 0x3E));
    }
    painter.drawRoundedRect(band, 4, 4);
  } else {
    painter.fillRect(QRect(area.left() + 8, area.bottom(), area.width() - 16, 1),
                     QColor(0x1F, 0x26, 0x35));
  }
  // The kind's marker, and a faint rule between number and name.
  painter.setPen(Qt::NoPen);
  painter.setBrush(marker);
  painter.drawRoundedRect(QRectF(area.left() + 3, area.top() + 6, 3, area.height() - 12), 1.5, 1.5);
  painter.fillRect(
      QRect(area.left() + 34, area.top() + 6, 1, area.height() - 12),
      look == RowLook::kSelected ? QColor(255, 255, 255, 60) : QColor(0x2A, 0x33, 0x46));
}

QRect SwatchHole(QRect area) {
  return area.adjusted(3, 3, -15, -3);
}

void SwatchFrame(QPainter& painter, QRect area) {
  Well(painter, area);
  Chevron(painter, QPointF(area.right() - 6.5, area.center().y() + 0.5), false, theme::kCaption);
}

}  // namespace skins
