#include "dorvo_preview.h"

#include "exportframe.h"

using namespace dorvo_preview;
using namespace dorvo_preview::frame;

const char* createWindow(void) noexcept
{
    return createWindow(DP_SITE);
}

int destroyWindow(const char* windowId) noexcept
{
    return Post(DP_SITE, MsgType::DestroyWindow).str1(windowId).send();
}

int exec(void) noexcept
{
    return Post(DP_SITE, MsgType::CreateQtExec).send();
}

int quit(void) noexcept
{
    return quitEngine(DP_SITE);
}

int attachWindow(const char* windowId) noexcept
{
    return Post(DP_SITE, MsgType::AttachWindow).str1(windowId).send();
}

int detachWindow(const char* windowId) noexcept
{
    return Post(DP_SITE, MsgType::DetachWindow).str1(windowId).send();
}

int setWindowX(const char* windowId, float x) noexcept
{
    return Post(DP_SITE, MsgType::SetWindowX).str1(windowId).real(x).send();
}

int setWindowY(const char* windowId, float y) noexcept
{
    return Post(DP_SITE, MsgType::SetWindowY).str1(windowId).real(y).send();
}

int setWindowWidth(const char* windowId, float width) noexcept
{
    return Post(DP_SITE, MsgType::SetWindowWidth).str1(windowId).real(width).send();
}

int setWindowHeight(const char* windowId, float height) noexcept
{
    return Post(DP_SITE, MsgType::SetWindowHeight).str1(windowId).real(height).send();
}

int setWindowBackColor(const char* windowId, const char* color) noexcept
{
    return Post(DP_SITE, MsgType::SetWindowBackColor).str1(windowId).str2(color).send();
}

int setCanvasWidth(const char* windowId, float width) noexcept
{
    return Post(DP_SITE, MsgType::SetCanvasWidth).str1(windowId).real(width).send();
}

int setCanvasHeight(const char* windowId, float height) noexcept
{
    return Post(DP_SITE, MsgType::SetCanvasHeight).str1(windowId).real(height).send();
}

int setWindowScale(const char* windowId, int percent) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::SetWindowScale).str1(windowId).integer(percent).send();
}

int updateWindow(const char* windowId) noexcept
{
    return Post(DP_SITE, MsgType::UpdateWindow).str1(windowId).send();
}

int setAllWidgetBorderScale(const char* windowId, int percent) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::SetAllWidgetBorderScale).str1(windowId).integer(percent).send();
}

int addSystemFont(const char* fontPath) noexcept
{
    return Post(DP_SITE_PLAIN, MsgType::AddSystemFont).str2(fontPath).send();
}

int pausePreviewForce(const char* windowId, bool force) noexcept
{
    return Post(DP_SITE, MsgType::PausePreviewForce).str1(windowId).flag(force).send();
}

int pausePreview(const char* windowId) noexcept
{
    return Post(DP_SITE, MsgType::PausePreview).str1(windowId).send();
}

int resumePreview(const char* windowId) noexcept
{
    return Post(DP_SITE, MsgType::ResumePreview).str1(windowId).send();
}

void grabImage(void) noexcept {}
