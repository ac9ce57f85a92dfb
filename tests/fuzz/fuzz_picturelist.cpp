// Pictures from the host: the picture group's content, picture list and
// header path, and the picture widget's source, on widgets without an item.
// The first byte chooses the setter. Whatever a group holds must give a record
// of valid UTF-8 with a URL for every picture, no longer list than the group
// keeps, and be taken again unchanged.

#include "core/appcommon/jsonread.h"
#include "core/src/imagegroupwidget.h"
#include "core/src/imagewidget.h"
#include "fuzzsupport.h"

using dorvo_preview::ImageGroupWidget;
using dorvo_preview::ImageWidget;
using nlohmann::json;

void fuzzsupport::fuzzOne(const std::string& input)
{
    if (input.empty())
        return;
    static ImageGroupWidget* group = new ImageGroupWidget(nullptr, nullptr);
    static ImageWidget* picture = new ImageWidget(nullptr, nullptr);
    const std::string text = input.substr(1);
    const uint8_t choice = static_cast<uint8_t>(input[0]) % 4;
    if (choice == 3) {
        picture->setSource(text);
        if (!ns::jsonread::isValidUtf8(picture->recordJson()))
            __builtin_trap();
        return;
    }
    void (ImageGroupWidget::*const setters[])(std::string) = {
        &ImageGroupWidget::setSource, &ImageGroupWidget::setPictureList, &ImageGroupWidget::setHeaderPath};
    (group->*setters[choice])(text);
    const std::string record = group->recordJson();
    if (!ns::jsonread::isValidUtf8(record))
        __builtin_trap(); // the item reads the record as UTF-8
    const json& list = group->content()["pictureList"];
    if (!list.is_array() || list.size() > static_cast<size_t>(ImageGroupWidget::kMaxPictures))
        __builtin_trap();
    const json metadata = json::parse(record)["metadata"];
    for (const json& p : metadata["pictureList"])
        if (!p.contains("url"))
            __builtin_trap();
    const std::string content = ns::jsonread::dump(group->content());
    ImageGroupWidget again(nullptr, nullptr);
    again.setSource(content);
    if (ns::jsonread::dump(again.content()) != content)
        __builtin_trap(); // what it holds, it takes again
}
