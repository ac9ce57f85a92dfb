#include "widgetrecord.h"

#include "jsonread.h"

namespace ns {

using jsonread::readNumber;
using jsonread::readString;

void to_json(nlohmann::json& j, const WidgetLayout& layout)
{
    j = nlohmann::json{{"x", layout.x}, {"y", layout.y}, {"width", layout.width}, {"height", layout.height}};
}

void from_json(const nlohmann::json& j, WidgetLayout& layout)
{
    if (!j.is_object())
        return;
    readNumber(j, "x", layout.x);
    readNumber(j, "y", layout.y);
    readNumber(j, "width", layout.width);
    readNumber(j, "height", layout.height);
}

void to_json(nlohmann::json& j, const Widget& widget)
{
    j = nlohmann::json::object();
    j["id"] = widget.id;
    j["type"] = widget.type;
    j["zOrder"] = widget.zOrder;
    j["layout"] = widget.layout;
    j["duration"] = widget.duration;
    j["backgroundColor"] = widget.backgroundColor;
    if (!widget.fold.is_null())
        j["fold"] = widget.fold;
    j["metadata"] = widget.metadata.is_object() ? widget.metadata : nlohmann::json::object();
}

void from_json(const nlohmann::json& j, Widget& widget)
{
    if (!j.is_object())
        return;
    readString(j, "id", widget.id);
    readString(j, "type", widget.type);
    readNumber(j, "zOrder", widget.zOrder);
    if (auto it = j.find("layout"); it != j.end())
        from_json(*it, widget.layout);
    readNumber(j, "duration", widget.duration);
    readString(j, "backgroundColor", widget.backgroundColor);
    if (auto it = j.find("fold"); it != j.end() && it->is_object())
        widget.fold = *it;
    if (auto it = j.find("metadata"); it != j.end() && it->is_object())
        widget.metadata = *it;
}

std::string Widget::toJson() const
{
    return jsonread::dump(nlohmann::json(*this));
}

bool Widget::fromJson(const std::string& text, Widget& out, std::string* reason)
{
    std::string why;
    nlohmann::json j = jsonread::parse(text, &why);
    if (j.is_discarded() || !j.is_object()) {
        if (reason)
            *reason = j.is_discarded() ? why : "not a JSON object";
        return false;
    }
    from_json(j, out);
    return true;
}

} // namespace ns
