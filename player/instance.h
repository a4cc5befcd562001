#pragma once

#include <cstdint>
#include <memory>

#include "player/clip_handle.h"
#include "player/display_list.h"

namespace player {

class CKV_Character;
class CKV_PlayContext;

// A character on a display list. Shapes and texts need nothing more; sprites, buttons and
// text fields keep state of their own in subclasses.
class CKV_Instance {
 public:
  // The character is null for the main movie.
  CKV_Instance(const CKV_Character* character, CKV_PlayContext& context, int nesting);
  CKV_Instance(const CKV_Instance&) = delete;
  CKV_Instance& operator=(const CKV_Instance&) = delete;
  virtual ~CKV_Instance();

  const CKV_Character* Character() const { return character_; }
  int Nesting() const { return nesting_; }
  // The sprite or button whose display list holds this instance; null for the main movie.
  CKV_Instance* Parent() const { return parent_; }
  uint16_t Depth() const { return depth_; }
  void AttachTo(CKV_Instance* parent, uint16_t depth) {
    parent_ = parent;
    depth_ = depth;
  }
  // The entry of the parent's display list that holds this instance; null for the main movie.
  DisplayEntry* OwnEntry() const;
  // What scripts and the pointer hold of this instance.
  avm::Target Handle() const { return handle_; }
  uint64_t MadeOnTick() const { return madeOnTick_; }

  // Runs once, right after the instance is put on its display list.
  virtual void Enter(CKV_PlayContext&) {}
  // Runs once per frame of the movie after the frame the instance appeared in.
  virtual void Tick(CKV_PlayContext&) {}
  // The objects drawn inside this one, for sprites and buttons.
  virtual const DisplayList* Children() const { return nullptr; }
  DisplayList* Children() {
    return const_cast<DisplayList*>(static_cast<const CKV_Instance*>(this)->Children());
  }

 private:
  const CKV_Character* character_ = nullptr;
  CKV_PlayContext& context_;
  int nesting_ = 0;
  uint64_t madeOnTick_ = 0;
  CKV_Instance* parent_ = nullptr;
  uint16_t depth_ = 0;
  std::shared_ptr<CKV_ClipHandle> handle_ = std::make_shared<CKV_ClipHandle>();
};

// Makes the instances a display list still lacks, children of the owner, and lets each enter.
// Characters that are missing, cannot be placed or would pass the context's bounds are left out
// with a warning.
void MakeInstances(DisplayList& list, CKV_PlayContext& context, CKV_Instance& owner);

// Ticks the instances that were on the list before this frame.
void TickInstances(const DisplayList& list, CKV_PlayContext& context);

}  // namespace player
