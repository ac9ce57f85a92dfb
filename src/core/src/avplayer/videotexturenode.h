#pragma once

// The scene-graph node of a VideoTextureItem: a texture backed by an OpenGL
// framebuffer that the item's player draws its frames into, before the scene
// renders. The node reaches the player only through a weak pointer, locked for
// each use, so a player destroyed with its item is never touched. It lives on
// the render thread; values of the item reach it only through sync(), which
// runs in the synchronisation step.

#include <QSGSimpleTextureNode>
#include <QSGTextureProvider>

#include <memory>

class QOpenGLFramebufferObject;
class QQuickWindow;

namespace dorvo_preview {

class MpvPlayer;

class VideoTextureNode : public QSGTextureProvider, public QSGSimpleTextureNode
{
    Q_OBJECT
public:
    VideoTextureNode(QQuickWindow* window, std::weak_ptr<MpvPlayer> player, bool autoHDR);
    ~VideoTextureNode() override;

    QSGTexture* texture() const override;

    // Synchronisation step: the item's size in logical pixels and the
    // window's device-pixel ratio.
    void sync(const QSizeF& itemSize, qreal devicePixelRatio);

    QSize textureSize() const { return m_size; }

private slots:
    void render();

private:
    QQuickWindow* m_window;
    std::weak_ptr<MpvPlayer> m_player;
    bool m_autoHDR;
    QSize m_size;
    std::unique_ptr<QOpenGLFramebufferObject> m_fbo;
    std::unique_ptr<QSGTexture> m_texture;
};

} // namespace dorvo_preview
