// Colourful text from the host: its content (the source), the colour list,
// the text and the colour and path setters, on a widget without an item. The
// first byte chooses the setter. Whatever is accepted must leave a content
// that is valid UTF-8 JSON and that the widget takes again unchanged.

#include "core/appcommon/jsonread.h"
#include "core/src/colortextwidget.h"
#include "fuzzsupport.h"

using dorvo_preview::ColorTextWidget;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzsupport::silenceLog();
    if (size == 0)
        return 0;
    static ColorTextWidget* widget = new ColorTextWidget(nullptr, nullptr);
    const std::string text = fuzzsupport::text(data + 1, size - 1);
    void (ColorTextWidget::*const setters[])(std::string) = {
        &ColorTextWidget::setSource,      &ColorTextWidget::setColors,
        &ColorTextWidget::setText,        &ColorTextWidget::setTextColor,
        &ColorTextWidget::setStrokeColor, &ColorTextWidget::setBackgroundColor,
        &ColorTextWidget::setTexturePath, &ColorTextWidget::setFontFamily};
    (widget->*setters[data[0] % 8])(text);
    const std::string record = widget->recordJson();
    if (!ns::jsonread::isValidUtf8(record))
        __builtin_trap(); // the item reads the content as UTF-8
    const std::string content = ns::jsonread::dump(widget->content());
    ColorTextWidget again(nullptr, nullptr);
    again.setSource(content);
    if (ns::jsonread::dump(again.content()) != content)
        __builtin_trap(); // what it holds, it takes again
    return 0;
}
