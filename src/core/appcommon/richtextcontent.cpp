#include "richtextcontent.h"

#include "jsonread.h"

#include <cmath>
#include <limits>

namespace ns {

namespace {

const char* const kDisplayNames[] = {"PAGE_SWITCH", "SCROLL", "STATIC"};
const char* const kAnimationNames[] = {"NONE",          "CLOCK_WISE",   "ANTI_CLOCK_WISE", "MARQUEE_LEFT",
                                       "MARQUEE_RIGHT", "MARQUEE_DOWN", "MARQUEE_UP",      "PAN_LEFT"};

template <size_t N> bool parseName(const nlohmann::json& j, const char* const (&names)[N], int& out)
{
    if (j.is_string()) {
        const std::string s = j.get<std::string>();
        for (size_t i = 0; i < N; ++i) {
            if (s == names[i]) {
                out = static_cast<int>(i);
                return true;
            }
        }
        return false;
    }
    if (j.is_number_integer()) {
        const auto v = j.get<int64_t>();
        if (v >= 0 && v < static_cast<int64_t>(N)) {
            out = static_cast<int>(v);
            return true;
        }
    }
    return false;
}

} // namespace

const char* toString(DisplayType type)
{
    const int i = static_cast<int>(type);
    return i >= 0 && i < 3 ? kDisplayNames[i] : kDisplayNames[0];
}

const char* toString(ScrollAnimation animation)
{
    const int i = static_cast<int>(animation);
    return i >= 0 && i < 8 ? kAnimationNames[i] : kAnimationNames[0];
}

bool parseDisplayType(const nlohmann::json& j, DisplayType& out)
{
    int v = 0;
    if (!parseName(j, kDisplayNames, v))
        return false;
    out = static_cast<DisplayType>(v);
    return true;
}

bool parseScrollAnimation(const nlohmann::json& j, ScrollAnimation& out)
{
    int v = 0;
    if (!parseName(j, kAnimationNames, v))
        return false;
    out = static_cast<ScrollAnimation>(v);
    return true;
}

void to_json(nlohmann::json& j, const RichTextContent& c)
{
    const DisplayStyle& d = c.displayStyle;
    j = nlohmann::json{
        {"paragraphs", c.paragraphs.is_array() ? c.paragraphs : nlohmann::json::array()},
        {"textAttributes", c.textAttributes.is_array() ? c.textAttributes : nlohmann::json::array()},
        {"displayStyle",
         {{"type", toString(d.type)},
          {"pageSwitchAttributes",
           {{"inAnimation",
             {{"type", d.pageSwitchAttributes.inAnimation.type},
              {"duration", d.pageSwitchAttributes.inAnimation.duration}}},
            {"remainDuration", d.pageSwitchAttributes.remainDuration}}},
          {"scrollAttributes",
           {{"effects",
             {{"speed", d.effects.speed},
              {"animation", toString(d.effects.animation)},
              {"isHeadTail", d.effects.isHeadTail},
              {"headTailSpacing", d.effects.headTailSpacing},
              {"speedByPixelEnable", d.effects.speedByPixelEnable}}}}},
          {"offset", {{"x", d.offset.x}, {"y", d.offset.y}}}}},
        {"backgroundMusic",
         {{"isTextSync", c.backgroundMusic.isTextSync}, {"duration", c.backgroundMusic.duration}}}};
}

void from_json(const nlohmann::json& j, RichTextContent& c)
{
    if (!j.is_object())
        return;
    if (const auto* p = member(j, "paragraphs"); p && p->is_array())
        c.paragraphs = *p;
    if (const auto* a = member(j, "textAttributes"); a && a->is_array())
        c.textAttributes = *a;
    if (const auto* ds = member(j, "displayStyle"); ds && ds->is_object()) {
        DisplayStyle& d = c.displayStyle;
        if (const auto* t = member(*ds, "type"))
            parseDisplayType(*t, d.type);
        if (const auto* ps = member(*ds, "pageSwitchAttributes")) {
            if (const auto* in = member(*ps, "inAnimation")) {
                readInt(*in, "type", d.pageSwitchAttributes.inAnimation.type);
                readInt(*in, "duration", d.pageSwitchAttributes.inAnimation.duration);
            }
            readInt(*ps, "remainDuration", d.pageSwitchAttributes.remainDuration);
        }
        if (const auto* sa = member(*ds, "scrollAttributes")) {
            if (const auto* e = member(*sa, "effects")) {
                readInt(*e, "speed", d.effects.speed);
                if (const auto* an = member(*e, "animation"))
                    parseScrollAnimation(*an, d.effects.animation);
                readBool(*e, "isHeadTail", d.effects.isHeadTail);
                if (const auto* sp = member(*e, "headTailSpacing")) {
                    if (sp->is_string())
                        d.effects.headTailSpacing = sp->get<std::string>();
                    else if (sp->is_number() && std::isfinite(sp->get<double>()) &&
                             std::fabs(sp->get<double>()) < 1e9)
                        d.effects.headTailSpacing = std::to_string(static_cast<long long>(sp->get<double>()));
                }
                readBool(*e, "speedByPixelEnable", d.effects.speedByPixelEnable);
            }
        }
        if (const auto* o = member(*ds, "offset")) {
            readInt(*o, "x", d.offset.x);
            readInt(*o, "y", d.offset.y);
        }
    }
    if (const auto* m = member(j, "backgroundMusic")) {
        readBool(*m, "isTextSync", c.backgroundMusic.isTextSync);
        readInt(*m, "duration", c.backgroundMusic.duration);
    }
}

} // namespace ns
