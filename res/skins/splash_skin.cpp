#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "res/skins/main_skin_layout.h"
#include "res/skins/skin_images.h"
#include "res/skins/skin_theme.h"

namespace skins {

namespace {

void Backdrop(QPainter& painter, QRect area) {
  QLinearGradient fill(area.topLeft(), area.bottomRight());
  fill.setColorAt(0, QColor(0x15, 0x1B, 0x2A));
  fill.setColorAt(1, QColor(0x0B, 0x0F, 0x17));
  painter.fillRect(area, fill);
  QRadialGradient glow(QPointF(470, 40), 260);
  glow.setColorAt(0, QColor(0x2E, 0xC4, 0xB6, 48));
  glow.setColorAt(1, QColor(0x2E, 0xC4, 0xB6, 0));
  painter.fillRect(area, glow);
  painter.setPen(QPen(theme::kPanelBorder, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5));
}

void Texts(QPainter& painter) {
  Wordmark(painter, {20, 20}, 44, "Animated text for the web, one letter at a time.", 12,
           theme::kCaption);
  painter.setFont(PixelFont(9, true, 1.5));
  painter.setPen(theme::kCaptionDim);
  painter.drawText(QRect(kSplashVersion.x, kSplashVersion.y - 15, 60, 12),
                   Qt::AlignLeft | Qt::AlignVCenter, "VERSION");
}

// The word "motion" in flight along a wave.
void FlyingLetters(QPainter& painter) {
  painter.setFont(PixelFont(30));
  const QColor colours[] = {theme::kAccent, QColor(0xF2, 0xF5, 0xFA), theme::kViolet};
  const QString word = "motion";
  for (int i = 0; i < word.size(); ++i) {
    const QRect cell(360 + i * 34, 150 + ((i % 2) ? -14 : 6) + i * 3, 40, 40);
    FlyingLetter(painter, cell, word[i], colours[i % 3], 3, {-4, 12});
  }
}

void Footer(QPainter& painter, QRect area) {
  QLinearGradient rule(QPointF(area.left(), 0), QPointF(area.right(), 0));
  rule.setColorAt(0, theme::kAccent);
  rule.setColorAt(0.6, theme::kViolet);
  rule.setColorAt(1, QColor(0x8B, 0x7B, 0xFF, 0));
  painter.fillRect(QRect(area.left(), area.bottom() - 3, area.width(), 3), rule);
}

}  // namespace

QImage PaintSplashSkin() {
  QImage skin(kSplashWidth, kSplashHeight, QImage::Format_RGB32);
  const QRect area(0, 0, kSplashWidth, kSplashHeight);
  QPainter painter(&skin);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  Backdrop(painter, area);
  Texts(painter);
  FlyingLetters(painter);
  Footer(painter, area);
  return skin;
}

}  // namespace skins
