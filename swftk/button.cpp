#include "swftk/button.h"

#include <algorithm>

#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk {

void CSwfDefineButton::Clear() {
  actions.clear();
  records.clear();
}

void CSwfDefineButton::ReadRecords(CSwfReader& reader, bool withColorTransform) {
  for (;;) {
    const uint8_t states = reader.ReadUI8();
    if (states == 0) break;
    auto record = std::make_unique<ButtonRecord>();
    record->states = states;
    record->characterId = reader.ReadUI16();
    record->depth = reader.ReadUI16();
    record->matrix = std::make_unique<CSwfMatrix>();
    record->matrix->Read(reader);
    reader.AlignByte();
    if (withColorTransform) {
      record->colorTransform = std::make_unique<CSwfColorTransformAlpha>();
      record->colorTransform->Read(reader);
    }
    records.push_back(std::move(record));
  }
}

void CSwfDefineButton::WriteRecords(CSwfStream& out, bool withColorTransform) const {
  for (const auto& record : records) {
    out.WriteByte(record->states);
    out.WriteUI16(record->characterId);
    out.WriteUI16(record->depth);
    if (record->matrix) {
      record->matrix->Write(out);
    } else {
      CSwfMatrix().Write(out);
    }
    out.FlushBits();
    if (withColorTransform) {
      if (record->colorTransform) {
        record->colorTransform->Write(out);
      } else {
        CSwfColorTransformAlpha().Write(out);
      }
    }
  }
  out.WriteByte(0);
}

uint32_t CSwfDefineButton::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  Clear();
  characterId = reader.ReadUI16();
  ReadRecords(reader, false);
  for (;;) {
    auto action = std::make_unique<CSwfDoAction>();
    if (action->Read(reader) == 0) break;
    actions.push_back(std::move(action));
  }
  return reader.GetPosition() - start;
}

uint32_t CSwfDefineButton::Write(CSwfStream& out) const {
  const Frame frame = BeginFrame(out);
  out.WriteUI16(characterId);
  WriteRecords(out, false);
  for (const auto& action : actions) action->WriteBody(out, false);
  return EndFrame(out, frame);
}

void CSwfDefineButton2::Clear() {
  CSwfDefineButton::Clear();
  conditions.clear();
  actionSizes.clear();
  trackAsMenu = 0;
}

uint32_t CSwfDefineButton2::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  Clear();
  characterId = reader.ReadUI16();
  trackAsMenu = reader.ReadUI8();
  reader.ReadUI16();  // action offset: the lists follow the records
  ReadRecords(reader, true);
  // Lists are read within the tag's length, so a tag without the closing zero word (as other
  // producers write it) does not take bytes of the next tag.
  for (;;) {
    const uint32_t listStart = reader.GetPosition();
    const uint16_t size = reader.ReadUI16();
    const uint16_t condition = reader.ReadUI16();
    auto action = std::make_unique<CSwfDoAction>();
    const uint32_t outerLimit = reader.PushLimit(size != 0 ? listStart + size : reader.GetLimit());
    const uint32_t consumed = action->Read(reader);
    reader.PopLimit(outerLimit);
    if (consumed == 0) break;
    if (size != 0) reader.SetPosition(std::min(listStart + size, reader.GetLimit()));
    actionSizes.push_back(size);
    conditions.push_back(condition);
    actions.push_back(std::move(action));
    if (size == 0) break;
  }
  reader.ReadUI16();
  return reader.GetPosition() - start;
}

uint32_t CSwfDefineButton2::Write(CSwfStream& out) const {
  const Frame frame = BeginFrame(out);
  out.WriteUI16(characterId);
  out.WriteByte(trackAsMenu);
  CSwfStream recordBytes;
  WriteRecords(recordBytes, true);
  out.WriteUI16(static_cast<uint16_t>(recordBytes.ByteCount() + 2));
  out.Append(recordBytes);
  actionSizes.clear();
  for (size_t i = 0; i < actions.size(); ++i) {
    CSwfStream list;
    actions[i]->WriteBody(list, false);
    const bool last = i + 1 == actions.size();
    const auto size = static_cast<uint16_t>(last ? 0 : list.ByteCount() + 4);
    actionSizes.push_back(size);
    out.WriteUI16(size);
    out.WriteUI16(i < conditions.size() ? conditions[i] : 0);
    out.Append(list);
  }
  out.WriteUI16(0);
  return EndFrame(out, frame);
}

}  // namespace swftk
