// Every posting export, called as a host calls it, posts its message number
// with the widget type and the record fields the catalogue gives, and the
// message reaches the listener operation named for it.

#include "channel/messagecontrol.h"
#include "channel/playchannel.h"
#include "core/src/enginehost.h"
#include "dorvo_preview.h"
#include "support/logcapture.h"
#include "frame/catalogueexports.h"
#include "support/recordinglistener.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

using dorvo_preview::EngineHost;
using dorvo_preview::MsgParam;
using dorvo_preview::PlayChannel;
using namespace frametest;

namespace {

// A channel in queued mode whose worker never starts: the test takes each
// message off the queue itself.
class FramePost : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        auto listener = std::make_unique<testsupport::RecordingListener>();
        recorder = listener.get();
        channel = std::make_shared<PlayChannel>(std::move(listener));
        channel->control()->setQueued(true);
        EngineHost::instance()->setPlayChannel("default", channel);
    }
    void SetUp() override
    {
        channel->control()->clear();
        recorder->reset();
    }

    static testsupport::RecordingListener* recorder;
    static std::shared_ptr<PlayChannel> channel;
};

testsupport::RecordingListener* FramePost::recorder = nullptr;
std::shared_ptr<PlayChannel> FramePost::channel;

TEST_F(FramePost, EveryPostingExportFillsTheRecordAsTheCatalogueSays)
{
    for (const ExportRow& row : kExportRows) {
        SCOPED_TRACE(row.op);
        const std::string fields = row.fields;
        auto has = [&fields](char field) { return fields.find(field) != std::string::npos; };
        recorder->reset();
        ASSERT_EQ(row.post(), 0);
        int32_t number = -2;
        MsgParam p;
        ASSERT_TRUE(channel->control()->peek(number, p));
        EXPECT_EQ(channel->control()->pending(), 1u);
        EXPECT_EQ(number, row.number);
        EXPECT_EQ(p.widgetType, row.widgetType < 0 ? familyType(row.op) : row.widgetType);

        auto expectString = [](std::string* s, bool present, const char* value) {
            if (present) {
                ASSERT_NE(s, nullptr);
                EXPECT_EQ(*s, value);
            } else {
                EXPECT_EQ(s, nullptr);
            }
        };
        expectString(p.firstString, has('S'), kFirst);
        expectString(p.secondString, has('T'), kSecond);
        EXPECT_EQ(p.thirdString, nullptr);
        EXPECT_EQ(p.boolValue, has('B'));
        EXPECT_EQ(p.intValue, has('I') ? kInt : has('L') ? kLong : 0);
        EXPECT_EQ(p.floatValue, has('F') ? row.floatValue : 0.0f);

        // The handler receives them in its own order.
        std::ostringstream args;
        for (char field : fields) {
            switch (field) {
            case 'W':
                args << row.widgetType;
                break;
            case 'S':
                args << kFirst;
                break;
            case 'T':
                args << kSecond;
                break;
            case 'B':
                args << true;
                break;
            case 'I':
                args << kInt;
                break;
            case 'L':
                args << kLong;
                break;
            case 'F':
                args << row.floatValue;
                break;
            }
            args << '|';
        }
        channel->control()->processOne();
        auto calls = recorder->calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].op, row.op);
        EXPECT_EQ(calls[0].args, args.str());
    }
}

TEST_F(FramePost, CreatingExportsStoreTheirIdentifiers)
{
    const char* window = createWindow();
    ASSERT_NE(window, nullptr);
    int32_t number = -2;
    MsgParam p;
    ASSERT_TRUE(channel->control()->peek(number, p));
    EXPECT_EQ(number, 0);
    EXPECT_EQ(*p.firstString, window);
    channel->control()->clear();

    const char* widget = createWidget(11, "container", "content");
    ASSERT_NE(widget, nullptr);
    ASSERT_TRUE(channel->control()->peek(number, p));
    EXPECT_EQ(number, 30);
    EXPECT_EQ(p.widgetType, 11);
    EXPECT_EQ(*p.firstString, widget);
    EXPECT_EQ(*p.secondString, "container");
    EXPECT_EQ(*p.thirdString, "content");
    channel->control()->processOne();
    ASSERT_EQ(recorder->calls().size(), 1u);
    EXPECT_EQ(recorder->calls()[0].op, "createWidget");

    const char* container = createWidgetContainer(nullptr);
    ASSERT_NE(container, nullptr);
    ASSERT_TRUE(channel->control()->peek(number, p));
    EXPECT_EQ(number, 30);
    EXPECT_EQ(p.widgetType, 19);
    EXPECT_EQ(*p.firstString, container);
    EXPECT_EQ(*p.secondString, "");
    EXPECT_EQ(*p.thirdString, "");
}

TEST_F(FramePost, CreateWidgetAcceptsOnlyTypeCodesZeroToTwenty)
{
    auto sink = testsupport::captureLog();
    const size_t before = EngineHost::instance()->widgetIdCount();
    EXPECT_EQ(createWidget(21, "", ""), nullptr);
    EXPECT_EQ(createWidget(-1, "", ""), nullptr);
    EXPECT_EQ(createWidget(INT32_MIN, "", ""), nullptr);
    EXPECT_EQ(channel->control()->pending(), 0u);
    EXPECT_EQ(EngineHost::instance()->widgetIdCount(), before);
    EXPECT_EQ(testsupport::countStartingWith(*sink, "cannot support this type 21 \n //"), 1u);
    EXPECT_EQ(testsupport::countStartingWith(*sink, "cannot support this type -1 \n //"), 1u);
    EXPECT_NE(createWidget(0, nullptr, nullptr), nullptr);
    EXPECT_NE(createWidget(20, nullptr, nullptr), nullptr);
    EXPECT_EQ(channel->control()->pending(), 2u);
}

TEST_F(FramePost, StringsAreCopiedByteForByte)
{
    // NULL becomes "", and odd bytes travel unchanged.
    ASSERT_EQ(setWindowBackColor(nullptr, nullptr), 0);
    int32_t number;
    MsgParam p;
    ASSERT_TRUE(channel->control()->peek(number, p));
    ASSERT_NE(p.firstString, nullptr);
    ASSERT_NE(p.secondString, nullptr);
    EXPECT_EQ(*p.firstString, "");
    EXPECT_EQ(*p.secondString, "");
    channel->control()->clear();

    const char invalidUtf8[] = "\xff\xfe\xc3(\x80 gbk:\xc4\xe3\xba\xc3";
    ASSERT_EQ(NText_setBackgroundColor(invalidUtf8, ""), 0);
    ASSERT_TRUE(channel->control()->peek(number, p));
    EXPECT_EQ(*p.firstString, std::string(invalidUtf8));
    channel->control()->clear();

    std::string big(10 * 1024 * 1024, 'x');
    for (size_t i = 0; i < big.size(); i += 4097)
        big[i] = static_cast<char>(0x80 + i % 100);
    ASSERT_EQ(NText_setSource("id", big.c_str()), 0);
    ASSERT_TRUE(channel->control()->peek(number, p));
    EXPECT_EQ(*p.secondString, big);
    // The caller's buffer may change at once: the record holds a copy.
    big[0] = 'y';
    EXPECT_NE(*p.secondString, big);
    channel->control()->processOne();
    EXPECT_EQ(recorder->calls().size(), 1u);
}

TEST_F(FramePost, NonPostingExportsPostNothing)
{
    EXPECT_EQ(NHtml_setPic("id", "/p.png"), 0);
    EXPECT_EQ(NRss_setPic(nullptr, nullptr), 0);
    EXPECT_EQ(NStreamMedia_setPic("id", "p"), 0);
    EXPECT_EQ(NHdmi_setPic("id", "p"), 0);
    EXPECT_EQ(NTable_getName("id"), nullptr);
    grabImage();
    EXPECT_EQ(channel->control()->pending(), 0u);
}

void onSelected(const char*) {}

TEST_F(FramePost, CallbackSettersStoreAtOnce)
{
    using dorvo_preview::CallbackKind;
    EXPECT_EQ(setOnWidgetSelected(&onSelected), 0);
    EXPECT_EQ(channel->callback(CallbackKind::WidgetSelected), &onSelected);
    EXPECT_EQ(setOnRectChanged(&onSelected), 0);
    EXPECT_EQ(setOnWidgetDoubleClicked(&onSelected), 0);
    EXPECT_EQ(setOnKeyChanged(&onSelected), 0);
    EXPECT_EQ(setFpsCallback(&onSelected), 0);
    EXPECT_EQ(setMouseWheelCallback(&onSelected), 0);
    EXPECT_EQ(channel->callback(CallbackKind::MouseWheel), &onSelected);
    EXPECT_EQ(setOnWidgetSelected(nullptr), 0);
    EXPECT_EQ(channel->callback(CallbackKind::WidgetSelected), nullptr);
    EXPECT_EQ(channel->control()->pending(), 0u);
}

} // namespace
