#include "swftk/actions.h"

#include <algorithm>

#include "swftk/reader.h"
#include "swftk/stream.h"

namespace swftk {

uint32_t CSwfActionRecord::WriteFramedAction(CSwfStream& out, CSwfStream& payload) const {
  payload.FlushBits();
  const int before = out.ByteCount();
  out.WriteByte(GetActionCode());
  if (payload.ByteCount() > UINT16_MAX) out.MarkLengthOverflow();
  out.WriteUI16(static_cast<uint16_t>(payload.ByteCount()));
  out.Append(payload);
  return static_cast<uint32_t>(out.ByteCount() - before);
}

template <uint8_t Code>
uint32_t CSwfSimpleAction<Code>::Write(CSwfStream& out) const {
  out.WriteByte(Code);
  return 1;
}

template class CSwfSimpleAction<actioncode::kPlay>;
template class CSwfSimpleAction<actioncode::kStop>;
template class CSwfSimpleAction<actioncode::kGetVariable>;
template class CSwfSimpleAction<actioncode::kSetVariable>;

uint32_t CSwfActionGotoFrame::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  reader.ReadUI16();
  frame = reader.ReadUI16();
  return reader.GetPosition() - start;
}

uint32_t CSwfActionGotoFrame::Write(CSwfStream& out) const {
  CSwfStream payload;
  payload.WriteUI16(frame);
  return WriteFramedAction(out, payload);
}

void CSwfActionGetUrl::CopyFrom(const CSwfActionGetUrl& other) {
  url = other.url;
  target = other.target;
}

uint32_t CSwfActionGetUrl::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  const uint16_t length = reader.ReadUI16();
  reader.ReadString(url, 0);
  const uint32_t urlBytes = static_cast<uint32_t>(url.size()) + 1;
  target.clear();
  if (length > urlBytes) reader.ReadString(target, length - urlBytes);
  return reader.GetPosition() - start;
}

uint32_t CSwfActionGetUrl::Write(CSwfStream& out) const {
  CSwfStream payload;
  payload.WriteString(url);
  payload.WriteByte(0);
  payload.WriteString(target);
  payload.WriteByte(0);
  return WriteFramedAction(out, payload);
}

void CSwfActionPush::CopyFrom(const CSwfActionPush& other) {
  valueType = other.valueType;
  number = other.number;
  text = other.text;
}

bool CSwfActionPush::IsSingleValue(const std::vector<uint8_t>& payload) {
  return IsSingleValue(std::span(payload));
}

bool CSwfActionPush::IsSingleValue(std::span<const uint8_t> payload) {
  if (payload.empty()) return false;
  if (payload[0] == kNumber) return payload.size() == 5;
  if (payload[0] != kString || payload.size() < 2) return false;
  const auto terminator = std::find(payload.begin() + 1, payload.end(), 0);
  return terminator == payload.end() - 1;
}

uint32_t CSwfActionPush::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  const uint16_t length = reader.ReadUI16();
  valueType = reader.ReadUI8();
  text.clear();
  number = 0;
  if (valueType != kString) {
    number = reader.ReadUI32();
  } else if (length > 1) {
    reader.ReadString(text, length - 1U);
  }
  return reader.GetPosition() - start;
}

uint32_t CSwfActionPush::Write(CSwfStream& out) const {
  CSwfStream payload;
  payload.WriteByte(valueType);
  if (valueType != kString) {
    payload.WriteUI32(number);
  } else {
    payload.WriteString(text);
    payload.WriteByte(0);
  }
  return WriteFramedAction(out, payload);
}

uint32_t CSwfActionGetUrl2::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  reader.ReadUI16();
  method = reader.ReadUI8();
  return reader.GetPosition() - start;
}

uint32_t CSwfActionGetUrl2::Write(CSwfStream& out) const {
  CSwfStream payload;
  payload.WriteByte(method);
  return WriteFramedAction(out, payload);
}

void CSwfActionUnknown::CopyFrom(const CSwfActionUnknown& other) {
  code = other.code;
  data = other.data;
}

uint32_t CSwfActionUnknown::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  data.clear();
  if (code >= 0x80) reader.ReadBytes(data, reader.ReadUI16());
  return reader.GetPosition() - start;
}

uint32_t CSwfActionUnknown::Write(CSwfStream& out) const {
  if (code < 0x80) {
    out.WriteByte(code);
    return 1;
  }
  CSwfStream payload;
  payload.AppendBytes(data);
  return WriteFramedAction(out, payload);
}

namespace {

std::unique_ptr<CSwfActionRecord> MakeAction(uint8_t code, std::span<const uint8_t> payload) {
  switch (code) {
    case actioncode::kGetVariable:
      return std::make_unique<CSwfActionEval>();
    case actioncode::kSetVariable:
      return std::make_unique<CSwfActionSetVariable>();
    case actioncode::kPush:
      if (CSwfActionPush::IsSingleValue(payload)) return std::make_unique<CSwfActionPush>();
      break;
    case actioncode::kGetUrl2:
      return std::make_unique<CSwfActionGetUrl2>();
    default:
      break;
  }
  return std::make_unique<CSwfActionUnknown>(code);
}

}  // namespace

uint32_t CSwfDoAction::Read(CSwfReader& reader) {
  const uint32_t start = reader.GetPosition();
  while (reader.CountObjects(1)) {
    const uint8_t code = reader.ReadUI8();
    if (code == actioncode::kEnd) break;
    const uint32_t payloadStart = reader.GetPosition();
    uint32_t actionEnd = payloadStart;
    // The payload is looked at where it lies; the action copies what it keeps.
    std::span<const uint8_t> payload;
    if (code >= 0x80) {
      const uint16_t length = reader.ReadUI16();
      const uint32_t take = std::min<uint32_t>(length, reader.BytesLeft());
      payload = std::span(reader.GetBuffer()).subspan(reader.GetPosition(), take);
      actionEnd = reader.GetPosition() + take;
      reader.SetPosition(payloadStart);
    }
    // Each action reads within its own length and the next one starts after it.
    std::unique_ptr<CSwfActionRecord> action = MakeAction(code, payload);
    const uint32_t outerLimit = reader.PushLimit(actionEnd);
    action->Read(reader);
    reader.PopLimit(outerLimit);
    reader.SetPosition(actionEnd);
    actions.push_back(std::move(action));
  }
  return reader.GetPosition() - start;
}

uint32_t CSwfDoAction::WriteBody(CSwfStream& out, bool withHeader) const {
  const Frame frame = BeginFrame(out, withHeader);
  for (const auto& action : actions) action->Write(out);
  out.WriteByte(actioncode::kEnd);
  return EndFrame(out, frame);
}

void CSwfDoAction::CopyFrom(const CSwfDoAction& source) {
  CSwfStream bytes;
  source.WriteBody(bytes, false);
  CSwfReader reader;
  reader.OpenFromStream(bytes);
  Read(reader);
}

}  // namespace swftk
