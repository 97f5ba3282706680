// Handles at both widths: a stale handle stays dead, and a value is not handed out again soon.
#include <gtest/gtest.h>

#include <memory>
#include <unordered_set>

#include "platform/Handles.h"

namespace {

using platform::BasicHandleTable;
using platform::HandleKind;

// Three objects live throughout while 200,000 others come and go: no value is handed out twice,
// and the first one to go is refused every time it is tried.
template <class Word>
void ChurnGivesFreshValues() {
    BasicHandleTable<int, Word> table(HandleKind::DeviceContext);
    for (int i = 0; i < 3; ++i) table.Add(std::make_unique<int>(i));
    const Word first = table.Add(std::make_unique<int>(-1));
    ASSERT_TRUE(table.Remove(first));
    std::unordered_set<Word> seen{first};
    for (int i = 0; i < 200000; ++i) {
        const Word h = table.Add(std::make_unique<int>(i));
        ASSERT_NE(h, Word{0});
        ASSERT_EQ(platform::KindOf(static_cast<uintptr_t>(h)), HandleKind::DeviceContext);
        ASSERT_TRUE(seen.insert(h).second) << "value " << h << " again after " << i;
        ASSERT_EQ(table.Find(first), nullptr);
        ASSERT_TRUE(table.Remove(h));
    }
    EXPECT_EQ(table.Count(), 3u);
}

TEST(HandlesTest, ChurnGivesFreshValuesAtBothWidths) {
    ChurnGivesFreshValues<uint64_t>();
    ChurnGivesFreshValues<uint32_t>();
}

}  // namespace
