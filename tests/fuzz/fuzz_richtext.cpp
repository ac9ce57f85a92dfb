// The text widget's source: NText_setSource reaches readRichTextSource, and
// what it accepts is written back into the widget's record.

#include "core/appcommon/jsonread.h"
#include "core/appcommon/richtextcontent.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzsupport::silenceLog();
    ns::RichTextContent content;
    std::string why;
    if (ns::readRichTextSource(fuzzsupport::text(data, size), content, why)) {
        nlohmann::json back;
        ns::to_json(back, content);
        const std::string dumped = ns::jsonread::dump(back);
        ns::RichTextContent again;
        if (!ns::readRichTextSource(dumped, again, why))
            __builtin_trap(); // what was accepted must read again
    }
    return 0;
}
