// Random action lists run by the player: the input becomes the scripts of a small movie (the
// main timeline's two frames and a named sprite's frame) and the values a button's actions
// push, which then plays, takes pointer input and plays on. Nothing may crash, hang or read
// outside its data.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "player/movie_loader.h"
#include "player/player.h"
#include "swftk/button.h"
#include "swftk/control_tags.h"
#include "swftk/header.h"
#include "swftk/object.h"
#include "swftk/place_object.h"
#include "swftk/sprite.h"
#include "swftk/writer.h"

namespace {

constexpr uint16_t kSprite = 1;
constexpr uint16_t kButton = 2;

std::unique_ptr<swftk::CSwfTag> Actions(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  bytes.push_back(0);
  auto tag = std::make_unique<swftk::CSwfTagUnknown>(swftk::tagcode::kDoAction,
                                                     static_cast<uint32_t>(bytes.size()));
  tag->data = std::move(bytes);
  return tag;
}

std::unique_ptr<swftk::CSwfPlaceObject2> Place(uint16_t id, uint16_t depth, const char* name) {
  auto place = std::make_unique<swftk::CSwfPlaceObject2>();
  place->characterId = id;
  place->depth = depth;
  place->name = name;
  return place;
}

std::vector<uint8_t> BuildMovie(const uint8_t* data, size_t size) {
  // Four scripts, cut from the input at its first bytes' choice.
  const size_t cuts[3] = {size / 4, size / 2, size * 3 / 4};
  const auto part = [&](int i) {
    const size_t from = i == 0 ? 0 : cuts[i - 1];
    const size_t to = i == 3 ? size : cuts[i];
    return std::make_pair(data + from, to - from);
  };
  swftk::TagList tags;
  auto sprite = std::make_unique<swftk::CSwfDefineSprite>(kSprite, 1);
  sprite->tags.push_back(Actions(part(0).first, part(0).second));
  sprite->tags.push_back(std::make_unique<swftk::CSwfShowFrame>());
  tags.push_back(std::move(sprite));
  auto button = std::make_unique<swftk::CSwfDefineButton2>();
  button->characterId = kButton;
  auto record = std::make_unique<swftk::ButtonRecord>();
  record->states = swftk::ButtonRecord::kUp | swftk::ButtonRecord::kHitTest;
  record->characterId = kSprite;
  record->depth = 1;
  button->AddRecord(std::move(record));
  auto press = std::make_unique<swftk::CSwfDoAction>();
  press->AddAction(std::make_unique<swftk::CSwfActionUnknown>(
      uint8_t{0x96}, std::vector<uint8_t>(part(1).first, part(1).first + part(1).second)));
  button->AddAction(std::move(press));
  button->AddCondition(0xFFFF);
  tags.push_back(std::move(button));
  tags.push_back(Place(kSprite, 1, "a"));
  tags.push_back(Place(kButton, 2, "b"));
  tags.push_back(Actions(part(2).first, part(2).second));
  tags.push_back(std::make_unique<swftk::CSwfShowFrame>());
  tags.push_back(Actions(part(3).first, part(3).second));
  tags.push_back(std::make_unique<swftk::CSwfShowFrame>());
  swftk::CSwfWriter writer;
  for (const auto& tag : tags) writer.AddTagRef(*tag);
  swftk::CSwfEnd end;
  writer.AddTagRef(end);
  swftk::CSwfHeader header;
  header.Setup(100, 100, 12.0F, 0, 4);
  std::vector<uint8_t> bytes;
  writer.Build(bytes, &header);
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const player::MovieLoadResult loaded = player::LoadMovieBytes(BuildMovie(data, size));
  if (!loaded.movie) return 0;
  player::CKV_Player player(loaded.movie);
  player.Advance();
  player.MouseMove(0, 0);
  player.MouseDown();
  player.MouseMove(50, 50);
  player.MouseUp();
  player.Advance();
  player.Advance();
  player.TakeUrlRequests();
  return 0;
}
