// The day calendar's record (declared in the public dorvo_records.h).

#include "dorvo_records.h"
#include "jsonread.h"

#include "logging/log.h"

namespace ns {

void to_json(nlohmann::json& j, const Calendar& calendar)
{
    j = nlohmann::json{{"lunarEnable", calendar.lunarEnable}};
}

void from_json(const nlohmann::json& j, Calendar& calendar)
{
    const char* why = nullptr;
    const nlohmann::json* lunar = member(j, "lunarEnable");
    if (!j.is_object())
        why = "the calendar record is not a JSON object";
    else if (lunar && !lunar->is_boolean())
        why = "\"lunarEnable\" is not a boolean";
    if (why) {
        const std::string text = jsonread::dump(j);
        LOG_E("from_string: exception: %s. %.200s", why, text.c_str());
        return;
    }
    if (lunar)
        calendar.lunarEnable = lunar->get<bool>();
}

} // namespace ns
