// The records and plans of the weather, calendar, table and real-time data
// widgets, from host JSON. The first byte chooses the reader. Whatever a
// record reader accepts writes back as valid UTF-8 and reads again as itself;
// the plans stay within their documented limits.

#include "core/appcommon/jsonread.h"
#include "core/appcommon/weatherrecords.h"
#include "core/src/rtmediaplan.h"
#include "core/src/tableplan.h"
#include "dorvo_records.h"
#include "fuzzsupport.h"

namespace {

template <typename Record> void roundTrip(const nlohmann::json& j)
{
    Record record;
    ns::from_json(j, record);
    nlohmann::json out;
    ns::to_json(out, record);
    if (!ns::jsonread::isValidUtf8(ns::jsonread::dump(out)))
        __builtin_trap(); // the scene reads records as UTF-8
    Record again;
    ns::from_json(out, again);
    nlohmann::json back;
    ns::to_json(back, again);
    if (back != out)
        __builtin_trap(); // a record reads back as itself
}

} // namespace

void fuzzsupport::fuzzOne(const std::string& input)
{
    if (input.empty())
        return;
    const nlohmann::json j = ns::jsonread::parse(input.substr(1));
    if (j.is_discarded())
        return;
    void (*const readers[])(const nlohmann::json&) = {
        roundTrip<ns::Area>,
        roundTrip<ns::BaseWeather>,
        roundTrip<ns::SimpleWeather>,
        roundTrip<ns::SeniorWeather>,
        roundTrip<ns::Calendar>,
        [](const nlohmann::json& j) {
            // The page timer never runs faster than its minimum.
            if (dorvo_preview::TablePlan::read(j).pageMs < dorvo_preview::TablePlan::kMinPageMs)
                __builtin_trap();
        },
        [](const nlohmann::json& j) { dorvo_preview::RtMediaPlan::read(j); }};
    readers[static_cast<uint8_t>(input[0]) % 7](j);
}
