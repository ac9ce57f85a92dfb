// Identifiers: version-4 UUID text, unique, and stable for the life of the library.

#include "channel/playchannel.h"
#include "core/src/enginehost.h"
#include "dorvo_preview.h"
#include "support/recordinglistener.h"
#include "utils/uuid.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <unordered_set>
#include <vector>

using namespace dorvo_preview;

namespace {

const std::regex kUuid("[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}");

TEST(Identifiers, UniqueOverAHundredThousand)
{
    std::unordered_set<std::string> seen;
    for (int i = 0; i < 100000; ++i)
        ASSERT_TRUE(seen.insert(makeIdentifier()).second);
}

// Version 4, variant 10xx; every free hex position takes more than one value
// across many ids.
TEST(Identifiers, FormatVersionVariantAndFreeDigits)
{
    std::vector<std::unordered_set<char>> seen(36);
    for (int i = 0; i < 2000; ++i) {
        const std::string id = makeIdentifier();
        ASSERT_TRUE(std::regex_match(id, kUuid)) << id;
        for (size_t k = 0; k < id.size(); ++k)
            seen[k].insert(id[k]);
    }
    for (size_t k = 0; k < 36; ++k) {
        if (k == 8 || k == 13 || k == 18 || k == 23 || k == 14)
            EXPECT_EQ(seen[k].size(), 1u) << k;
        else if (k == 19)
            EXPECT_EQ(seen[k].size(), 4u) << k;
        else
            EXPECT_GT(seen[k].size(), 8u) << k;
    }
}

TEST(Identifiers, ReturnedPointersStayValid)
{
    auto channel = std::make_shared<PlayChannel>(std::make_unique<testsupport::RecordingListener>());
    channel->init(false); // direct mode: messages run at once
    EngineHost::instance()->setPlayChannel("default", channel);

    std::vector<std::pair<const char*, std::string>> returned;
    for (int i = 0; i < 20000; ++i) {
        const char* id = (i % 3 == 0)   ? createWindow()
                         : (i % 3 == 1) ? createWidget(5, "", "")
                                        : createWidgetContainer("");
        ASSERT_NE(id, nullptr);
        returned.emplace_back(id, id);
    }
    const char* a = createWindow();
    const char* b = createWindow();
    EXPECT_STRNE(a, b);
    for (const auto& entry : returned)
        ASSERT_EQ(std::string(entry.first), entry.second);
}

} // namespace
