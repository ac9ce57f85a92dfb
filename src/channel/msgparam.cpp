#include "msgparam.h"

namespace dorvo_preview {

const std::string& MsgParam::empty()
{
    static const std::string none;
    return none;
}

} // namespace dorvo_preview
