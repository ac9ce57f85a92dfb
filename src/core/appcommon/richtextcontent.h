#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace ns {

// How the rich text is shown.
enum class DisplayType : int
{
    PAGE_SWITCH = 0,
    SCROLL = 1,
    STATIC = 2
};

// Direction of scrolling text.
enum class ScrollAnimation : int
{
    NONE = 0,
    CLOCK_WISE = 1,
    ANTI_CLOCK_WISE = 2,
    MARQUEE_LEFT = 3,
    MARQUEE_RIGHT = 4,
    MARQUEE_DOWN = 5,
    MARQUEE_UP = 6,
    PAN_LEFT = 7
};

const char* toString(DisplayType type);
const char* toString(ScrollAnimation animation);
// Names or numbers; false for anything else.
bool parseDisplayType(const nlohmann::json& j, DisplayType& out);
bool parseScrollAnimation(const nlohmann::json& j, ScrollAnimation& out);

struct InAnimation
{
    int type = 0;
    int duration = 1000;
};

struct PageSwitchAttributes
{
    InAnimation inAnimation;
    int remainDuration = 5000;
};

struct ScrollEffects
{
    int speed = 60;
    ScrollAnimation animation = ScrollAnimation::MARQUEE_LEFT;
    bool isHeadTail = false;
    std::string headTailSpacing = "0";
    bool speedByPixelEnable = false;
};

struct TextOffset
{
    int x = 0;
    int y = 0;
};

struct DisplayStyle
{
    DisplayType type = DisplayType::PAGE_SWITCH;
    PageSwitchAttributes pageSwitchAttributes;
    ScrollEffects effects; // serialised as scrollAttributes.effects
    TextOffset offset;
};

struct BackgroundMusic
{
    bool isTextSync = false;
    int duration = 0;
};

// The rich text of a text widget: paragraphs of lines of styled runs, the
// run attributes, how it is shown and how it follows background music.
// Paragraphs and attributes are kept as given (the display reads them).
struct RichTextContent
{
    nlohmann::json paragraphs = nlohmann::json::array();
    nlohmann::json textAttributes = nlohmann::json::array();
    DisplayStyle displayStyle;
    BackgroundMusic backgroundMusic;
};

void to_json(nlohmann::json& j, const RichTextContent& content);
// Members that are missing or of the wrong type keep their current values.
void from_json(const nlohmann::json& j, RichTextContent& content);
// Reads the host's rich-text source over content: its paragraphs and
// attributes replace those of content, the display settings it names
// replace theirs. Text that is not a JSON object with a "paragraphs" list is
// refused with the reason, and content stays as it was.
bool readRichTextSource(const std::string& text, RichTextContent& content, std::string& why);

} // namespace ns
