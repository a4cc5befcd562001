#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <thread>
#include <vector>

#include "swftk/shape_records.h"

namespace swftk {
namespace {

using Records = std::vector<std::unique_ptr<CSwfStraightEdgeShapeRecord>>;

Records MakeEdges(int count, int32_t tag) {
  Records edges;
  for (int i = 0; i < count; ++i) {
    edges.push_back(std::make_unique<CSwfStraightEdgeShapeRecord>());
    edges.back()->Init(tag, i, CSwfStraightEdgeShapeRecord::kGeneral);
  }
  return edges;
}

void ExpectIntact(const Records& edges, int32_t tag) {
  for (size_t i = 0; i < edges.size(); ++i) {
    ASSERT_EQ(edges[i]->deltaX, tag);
    ASSERT_EQ(edges[i]->deltaY, static_cast<int32_t>(i));
  }
}

// Records freed on another thread go to that thread's reuse, and live records never share
// memory, whichever thread made or freed them.
TEST(RecordPool, RecordsMadeOnOneThreadAndFreedOnAnotherStayApart) {
  constexpr int kCount = 20000;  // several blocks' worth
  Records first;
  std::thread maker([&first] { first = MakeEdges(kCount, 1); });
  maker.join();
  ExpectIntact(first, 1);

  Records second = MakeEdges(kCount, 2);
  std::thread freer([&first] { first.clear(); });
  freer.join();
  Records third = MakeEdges(kCount, 3);
  std::vector<std::unique_ptr<CSwfShapeRecord>> mixed;
  for (int i = 0; i < kCount; ++i) {
    mixed.push_back(std::make_unique<CSwfCurvedEdgeShapeRecord>());
    mixed.push_back(std::make_unique<CSwfStyleChangeShapeRecord>());
  }

  std::set<const void*> addresses;
  for (const Records* edges : {&second, &third})
    for (const auto& edge : *edges) addresses.insert(edge.get());
  for (const auto& record : mixed) addresses.insert(record.get());
  EXPECT_EQ(addresses.size(), 4U * kCount);
  ExpectIntact(second, 2);
  ExpectIntact(third, 3);
}

}  // namespace
}  // namespace swftk
