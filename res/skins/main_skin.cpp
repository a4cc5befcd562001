#include "res/skins/skin_images.h"

#include <QLinearGradient>
#include <QPainterPath>

#include "res/skins/main_skin_layout.h"
#include "res/skins/skin_theme.h"

namespace skins {

namespace {

constexpr int kRowKinds = 2;
// The link target's caption ends here; its cover dims it.
constexpr QPoint kTargetCaption{603, 321};

QRect ToRect(const Box& box) {
  return QRect(box.left, box.top, box.Width(), box.Height());
}

// The dark field around an edit; the fields with covers have their own, drawn inside the cover.
QRect EditWell(const EditPlace& edit) {
  switch (edit.id) {
    case 4:
      return QRect(244, 39, 433, 123);
    case 25:
      return QRect(121, 408, 33, 16);
    case 16:
      return QRect(312, 320, 238, 20);
    case 17:
      return QRect(607, 320, 83, 20);
    default:
      return ToRect(edit.box).adjusted(-3, -3, 3, 3);
  }
}

void Logo(QPainter& painter) {
  Wordmark(painter, {24, 14}, 24, "animated text for the web", 10, theme::kCaptionDim);
  // The program's badge: a letter leaving a trail, on the accent gradient.
  const QRectF badge(164.5, 20.5, 46, 46);
  QLinearGradient fill(badge.topLeft(), badge.bottomRight());
  fill.setColorAt(0, theme::kAccent);
  fill.setColorAt(1, theme::kViolet);
  painter.setPen(QPen(QColor(255, 255, 255, 40), 1));
  painter.setBrush(fill);
  painter.drawRoundedRect(badge, 11, 11);
  painter.setFont(PixelFont(30));
  FlyingLetter(painter, badge.toRect().adjusted(4, 0, 4, 0), 'Z', QColor(0x0A, 0x17, 0x1A), 2,
               {-5, 0});
}

void Panels(QPainter& painter) {
  WindowBackground(painter, QRect(0, 0, kWindowWidth, kWindowHeight));
  for (const QRect& panel :
       {QRect(8, 8, 222, 432), QRect(238, 8, 472, 158), QRect(238, 174, 472, 84),
        QRect(238, 266, 472, 84), QRect(238, 358, 472, 82)}) {
    Panel(painter, panel);
  }
}

void Captions(QPainter& painter) {
  SectionTitle(painter, 19, 103, "Effects");
  SectionTitle(painter, 248, 14, "Movie text");
  SectionTitle(painter, 248, 178, "Font and layout");
  SectionTitle(painter, 632, 178, "Position");
  SectionTitle(painter, 248, 272, "Movie");
  SectionTitle(painter, 19, 369, "Timing");
  CaptionRight(painter, 330, 229, "Letter spacing");
  CaptionRight(painter, 453, 229, "Line spacing");
  CaptionRight(painter, 545, 229, "Colour");
  CaptionRight(painter, 643, 195, "X");
  CaptionRight(painter, 643, 230, "Y");
  CaptionRight(painter, 297, 289, "Width");
  CaptionRight(painter, 402, 289, "Height");
  CaptionRight(painter, 490, 289, "Rate");
  CaptionRight(painter, 638, 289, "Background");
  CaptionRight(painter, kTargetCaption.x(), kTargetCaption.y(), "Target");
  Caption(painter, 24, 385, "Letters");
  Caption(painter, 24, 408, "Delay");
  Caption(painter, 160, 408, "frames");
  for (const CheckboxPlace& box : kCheckboxes) {
    Caption(painter, box.box.right + 6, box.box.top, box.caption);
  }
}

void Fields(QPainter& painter) {
  for (const EditPlace& edit : kEdits) Well(painter, EditWell(edit));
  Well(painter, QRect(252, 192, 338, 21));
  for (const Box& swatch : {kTextColour, kBackgroundColour}) {
    SwatchFrame(painter, ToRect(swatch));
    painter.fillRect(SwatchHole(ToRect(swatch)), Qt::white);
  }
}

void EffectList(QPainter& painter) {
  const auto& layout = kEffectListLayout;
  painter.setPen(QPen(theme::kWellBorder, 1));
  painter.setBrush(theme::kList);
  painter.drawRoundedRect(QRectF(ToRect(kEffectList)).adjusted(-1.5, -1.5, 1.5, 1.5), 4, 4);
  const int barX = kEffectList.left + layout.listWidth;
  const int arrow = layout.arrowHeight;
  ScrollTrack(painter, QRect(barX, kEffectList.top, layout.barWidth, kEffectList.Height()));
  ScrollArrow(painter, QRect(barX, kEffectList.top, layout.barWidth, arrow), true, {});
  ScrollArrow(painter, QRect(barX, kEffectList.bottom - arrow, layout.barWidth, arrow), false, {});
}

// The window as it looks with every control at rest.
void WindowPart(QPainter& painter) {
  Panels(painter);
  Logo(painter);
  Captions(painter);
  Fields(painter);
  EffectList(painter);
  for (const ButtonPlace& button : kButtons) {
    Button(painter, ToRect(button.box), button.caption, button.id != 3, {});
  }
  for (const CheckboxPlace& box : kCheckboxes) Checkbox(painter, ToRect(box.box), false, {});
}

void RowImages(QPainter& painter) {
  const auto& layout = kEffectListLayout;
  const int width = layout.listWidth;
  const int height = layout.rowHeight;
  for (int kind = 0; kind < kRowKinds; ++kind) {
    for (int look = 0; look < 3; ++look) {
      const QRect area(layout.rowSkinX, layout.rowSkinY + (3 * kind + look) * height, width,
                       height);
      ListRow(painter, area, kind, static_cast<RowLook>(look));
    }
  }
}

// Every frame of a strip starts from the window's own pixels under the control.
void StripBase(QPainter& painter, const QImage& window, const Box& box, QPoint at) {
  painter.drawImage(at, window, ToRect(box));
}

void ButtonStrips(QPainter& painter, const QImage& window) {
  for (const ButtonPlace& button : kButtons) {
    const int height = button.box.Height();
    for (int pressed = 0; pressed < 2; ++pressed) {
      for (int frame = 0; frame < button.strip.frames; ++frame) {
        const QPoint at(button.strip.x,
                        button.strip.y + (pressed * button.strip.frames + frame) * height);
        StripBase(painter, window, button.box, at);
        Button(painter, QRect(at, QSize(button.box.Width(), height)), button.caption,
               button.id != 3, {pressed ? Look::kPressed : Look::kHover, frame});
      }
    }
  }
}

void CheckboxStrip(QPainter& painter, const QImage& window) {
  const Box& box = kCheckboxes[0].box;
  const StripSkin& strip = kCheckboxStrip;
  const auto frameAt = [&](int index) {
    const QPoint at(strip.x, strip.y + index * box.Height());
    StripBase(painter, window, box, at);
    return QRect(at, QSize(box.Width(), box.Height()));
  };
  for (int checked = 0; checked < 2; ++checked) {
    for (int frame = 0; frame < strip.frames; ++frame) {
      Checkbox(painter, frameAt(checked * strip.frames + frame), checked, {Look::kHover, frame});
    }
  }
  Checkbox(painter, frameAt(2 * strip.frames), true, {});
}

void ScrollBarStrips(QPainter& painter) {
  const auto& layout = kEffectListLayout;
  const int width = layout.barWidth;
  const int frames = layout.frames;
  const int arrow = layout.arrowHeight;
  const int thumb = layout.thumbHeight;
  ScrollThumb(painter, QRect(layout.thumbSkinX, layout.thumbSkinY, width, thumb), {});
  for (int pressed = 0; pressed < 2; ++pressed) {
    for (int frame = 0; frame < frames; ++frame) {
      const State state{pressed ? Look::kPressed : Look::kHover, frame};
      const int index = pressed * frames + frame;
      ScrollArrow(painter, QRect(layout.upSkinX, layout.upSkinY + index * arrow, width, arrow),
                  true, state);
      ScrollArrow(painter, QRect(layout.downSkinX, layout.downSkinY + index * arrow, width, arrow),
                  false, state);
      ScrollThumb(painter,
                  QRect(layout.thumbSkinX, layout.thumbSkinY + (1 + index) * thumb, width, thumb),
                  state);
    }
  }
}

// White where the chooser's frame shows, black where the colour shows; the frame itself lies
// just right of it.
void SwatchTemplate(QPainter& painter) {
  const QSize size(kTextColour.Width(), kTextColour.Height());
  const QRect templateArea(QPoint(kSwatchTemplate.x, kSwatchTemplate.y), size);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(templateArea, Qt::white);
  const QRect hole = SwatchHole(templateArea);
  painter.fillRect(hole.adjusted(1, 0, -1, 0), Qt::black);
  painter.fillRect(hole.adjusted(0, 1, 0, -1), Qt::black);
  painter.restore();
  SwatchFrame(painter, templateArea.translated(size.width(), 0));
}

// A switched-off field: the window's pixels there with the field and its caption dimmed.
void Covers(QPainter& painter, const QImage& window) {
  for (const EditPlace& edit : kEdits) {
    if (!edit.hasCover) continue;
    const CoverSkin& cover = edit.cover;
    const QRect area(cover.x, cover.y, cover.width, cover.height);
    painter.save();
    painter.drawImage(QPoint(cover.skinX, cover.skinY), window, area);
    painter.translate(cover.skinX - cover.x, cover.skinY - cover.y);
    painter.setClipRect(area);
    if (edit.id == 17) {
      painter.fillRect(
          QRect(area.left(), area.top(), EditWell(edit).left() - area.left(), area.height()),
          theme::kPanel);
      CaptionRight(painter, kTargetCaption.x(), kTargetCaption.y(), "Target", theme::kCaptionDim);
    }
    Well(painter, EditWell(edit), true);
    painter.setPen(QPen(theme::kCaptionDim, 1));
    const QRect well = EditWell(edit);
    const int middle = well.center().y();
    painter.drawLine(well.left() + 8, middle, well.left() + 16, middle);
    painter.restore();
  }
}

}  // namespace

QImage PaintMainSkin() {
  QImage skin(kSkinWidth, kSkinHeight, QImage::Format_RGB32);
  skin.fill(theme::kWindowBottom);
  QPainter painter(&skin);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setClipRect(0, 0, kWindowWidth, kWindowHeight);
  WindowPart(painter);
  painter.setClipping(false);
  const QImage window = skin.copy(0, 0, kWindowWidth, kWindowHeight);
  RowImages(painter);
  ButtonStrips(painter, window);
  CheckboxStrip(painter, window);
  ScrollBarStrips(painter);
  SwatchTemplate(painter);
  Covers(painter, window);
  return skin;
}

}  // namespace skins
