// Colourful text from the host: its content (the source), the colour list,
// the text and the colour and path setters, on a widget without an item. The
// first byte chooses the setter. Whatever is accepted must leave a content
// that is valid UTF-8 JSON and that the widget takes again unchanged.

#include "core/appcommon/jsonread.h"
#include "core/src/colortextwidget.h"
#include "fuzzsupport.h"

using dorvo_preview::ColorTextWidget;

void fuzzsupport::fuzzOne(const std::string& input)
{
    if (input.empty())
        return;
    static ColorTextWidget* widget = new ColorTextWidget(nullptr, nullptr);
    void (ColorTextWidget::*const setters[])(std::string) = {
        &ColorTextWidget::setSource,      &ColorTextWidget::setColors,
        &ColorTextWidget::setText,        &ColorTextWidget::setTextColor,
        &ColorTextWidget::setStrokeColor, &ColorTextWidget::setBackgroundColor,
        &ColorTextWidget::setTexturePath, &ColorTextWidget::setFontFamily};
    (widget->*setters[static_cast<uint8_t>(input[0]) % 8])(input.substr(1));
    const std::string record = widget->recordJson();
    if (!ns::jsonread::isValidUtf8(record))
        __builtin_trap(); // the item reads the content as UTF-8
    const std::string content = ns::jsonread::dump(widget->content());
    ColorTextWidget again(nullptr, nullptr);
    again.setSource(content);
    if (ns::jsonread::dump(again.content()) != content)
        __builtin_trap(); // what it holds, it takes again
}
