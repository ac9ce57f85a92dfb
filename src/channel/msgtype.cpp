#include "msgtype.h"

#include <array>

namespace dorvo_preview {

namespace {

constexpr int kNamedCount = 129; // -1 .. 127

std::array<const char*, kNamedCount> buildNames()
{
    std::array<const char*, kNamedCount> names{};
    for (auto& n : names)
        n = "";
    names[0] = "MsgInvalid";
#define DP_MSG(number, Name, ...)                                                                            \
    if ((number) + 1 < kNamedCount)                                                                          \
        names[(number) + 1] = #Name;
#include "msgcatalogue.def"
#undef DP_MSG
    return names;
}

} // namespace

const char* msgTypeName(int number)
{
    static const std::array<const char*, kNamedCount> names = buildNames();
    if (number < -1 || number >= kNamedCount - 1)
        return "";
    return names[number + 1];
}

} // namespace dorvo_preview
