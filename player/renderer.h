#pragma once

#include <string>

#include "player/transform.h"

namespace player {

class CKV_Image;
class CKV_Movie;
class CKV_Player;

// The size of the image that shows a movie's stage at a scale. False with a readable reason
// when the stage is empty, the scale is not a positive number or the image would pass
// 8192 x 8192 pixels.
bool StageImageSize(const CKV_Movie& movie, double scale, int& width, int& height,
                    std::string& error);

// Draws the player's current frame into the image: the background, then the display list
// with every matrix and colour transform composed down the tree, the stage scaled to fill
// the image. The same frame always gives the same pixels.
void RenderFrame(const CKV_Player& player, CKV_Image& image);

// The parts of RenderFrame, for drawing several movies into one image: the whole image in
// one colour, then a player's display list over what the image holds, its stage twips
// mapped to image pixels by stageToImage.
void PaintBackground(CKV_Image& image, Rgba color);
void DrawDisplayList(const CKV_Player& player, CKV_Image& image, const Transform2D& stageToImage);

}  // namespace player
