#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace containertest {

// A static text of one letter, drawn in its background colour: the member
// fills the container with one colour.
inline std::string textRecord(const char* colour)
{
    const nlohmann::json attributes = {
        {"textColor", colour},
        {"backgroundColor", "#00000000"},
        {"font", {{"family", "DejaVu Sans"}, {"size", 20}, {"style", "NORMAL"}, {"isUnderline", false}}}};
    const nlohmann::json segment = {{"content", "M"}, {"attributeKey", "a"}};
    const nlohmann::json content = {{"paragraphs",
                                     {{{"lines", {{{"segs", {segment}}}}},
                                       {"horizontalAlignment", "LEFT"},
                                       {"verticalAlignment", "TOP"}}}},
                                    {"textAttributes", {{{"key", "a"}, {"attributes", attributes}}}},
                                    {"displayStyle", {{"type", "STATIC"}}}};
    return nlohmann::json{{"backgroundColor", colour}, {"metadata", {{"content", content}}}}.dump();
}

} // namespace containertest
