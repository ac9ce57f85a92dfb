// A widget's record as the host gives it at creation (createWidget's default
// content) and as the widget hands it to its item.

#include "core/appcommon/jsonread.h"
#include "core/appcommon/widgetrecord.h"
#include "fuzzsupport.h"

void fuzzsupport::fuzzOne(const std::string& input)
{
    ns::Widget record;
    if (ns::Widget::fromJson(input, record)) {
        const std::string text = record.toJson();
        if (!ns::jsonread::isValidUtf8(text))
            __builtin_trap(); // the item reads the record as UTF-8
        ns::Widget again;
        if (!ns::Widget::fromJson(text, again) || again.toJson() != text)
            __builtin_trap(); // a record reads back as itself
    }
}
