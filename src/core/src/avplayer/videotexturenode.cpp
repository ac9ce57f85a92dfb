#include "videotexturenode.h"

#include "core/src/avplayer/mpvplayer.h"
#include "logging/log.h"

#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <cmath>

namespace dorvo_preview {

VideoTextureNode::VideoTextureNode(QQuickWindow* window, std::weak_ptr<MpvPlayer> player, bool autoHDR)
    : m_window(window), m_player(std::move(player)), m_autoHDR(autoHDR)
{
    setOwnsTexture(false);
    connect(m_window, &QQuickWindow::beforeRendering, this, &VideoTextureNode::render, Qt::DirectConnection);
}

VideoTextureNode::~VideoTextureNode()
{
    QObject::disconnect(m_window, nullptr, this, nullptr);
    if (auto player = m_player.lock())
        player->setVideoSurfaceSize(-1, -1, this);
    else
        MpvPlayer::releaseRenderTarget(this);
    // The material still points at the texture, but nothing draws this node any more.
    m_texture.reset();
    m_fbo.reset();
    LOG_D("renderer destroyed");
    LOG_D("renderer destroyed end");
}

QSGTexture* VideoTextureNode::texture() const
{
    return m_texture.get();
}

void VideoTextureNode::sync(const QSizeF& itemSize, qreal devicePixelRatio)
{
    setRect(0, 0, itemSize.width(), itemSize.height());
    const QSize size(std::max(1, static_cast<int>(std::lround(itemSize.width() * devicePixelRatio))),
                     std::max(1, static_cast<int>(std::lround(itemSize.height() * devicePixelRatio))));
    if (m_texture && size == m_size) {
        markDirty(QSGNode::DirtyMaterial);
        return;
    }
    auto player = m_player.lock();
    if (!player)
        return;
    QSGRendererInterface* rif = m_window->rendererInterface();
    const QSGRendererInterface::GraphicsApi api = rif ? rif->graphicsApi() : QSGRendererInterface::Unknown;
    if (api == QSGRendererInterface::VulkanRhi) {
        LOG_E("Rebuild with Vulkan!");
        return;
    }
    if (api != QSGRendererInterface::OpenGL && api != QSGRendererInterface::OpenGLRhi) {
        LOG_E("VideoTextureNode: only OpenGL scene graphs can show video");
        return;
    }
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (!context)
        return;
    auto fbo = std::make_unique<QOpenGLFramebufferObject>(size, QOpenGLFramebufferObject::NoAttachment,
                                                          GL_TEXTURE_2D);
    if (!fbo->isValid()) {
        LOG_E("VideoTextureNode: framebuffer of %dx%d not complete", size.width(), size.height());
        return;
    }
    fbo->bind();
    context->functions()->glClearColor(0, 0, 0, 0);
    context->functions()->glClear(GL_COLOR_BUFFER_BIT);
    fbo->release();
    const GLuint textureId = fbo->texture();
    std::unique_ptr<QSGTexture> texture(m_window->createTextureFromNativeObject(
        QQuickWindow::NativeObjectTexture, &textureId, 0, size, QQuickWindow::TextureHasAlphaChannel));
    setTexture(texture.get());
    m_texture = std::move(texture);
    m_fbo = std::move(fbo);
    m_size = size;
    setTextureCoordinatesTransform(QSGSimpleTextureNode::NoTransform);
    setFiltering(QSGTexture::Linear);
    player->setRenderAPI(m_fbo->handle(), this);
    player->setVideoSurfaceSize(size.width(), size.height(), this);
    m_window->resetOpenGLState();
    emit textureChanged();
}

void VideoTextureNode::render()
{
    if (!m_fbo)
        return;
    auto player = m_player.lock();
    if (!player)
        return;
    player->renderVideo(this);
    m_window->resetOpenGLState();
}

} // namespace dorvo_preview
