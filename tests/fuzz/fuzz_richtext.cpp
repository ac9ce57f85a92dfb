// The text widget's source: NText_setSource reaches readRichTextSource, and
// what it accepts is written back into the widget's record.

#include "core/appcommon/jsonread.h"
#include "core/appcommon/richtextcontent.h"
#include "fuzzsupport.h"

void fuzzsupport::fuzzOne(const std::string& input)
{
    ns::RichTextContent content;
    std::string why;
    if (ns::readRichTextSource(input, content, why)) {
        nlohmann::json back;
        ns::to_json(back, content);
        const std::string dumped = ns::jsonread::dump(back);
        ns::RichTextContent again;
        if (!ns::readRichTextSource(dumped, again, why))
            __builtin_trap(); // what was accepted must read again
    }
}
