#pragma once

#include <cstdint>
#include <memory>

#include <QOpenGLFunctions>

struct QmlVlcI420Frame;
class QOpenGLContext;

// The three plane textures of one video output in one OpenGL context,
// shared by every surface that shows the output in that window: a frame is
// uploaded once however many surfaces draw it. Render thread only.
class QmlVlcFrameTextures
{
public:
    // The textures of the output in the current context, made on first use.
    static std::shared_ptr<QmlVlcFrameTextures> forOutput(quint64 outputId);
    ~QmlVlcFrameTextures();
    QmlVlcFrameTextures(const QmlVlcFrameTextures&) = delete;
    QmlVlcFrameTextures& operator=(const QmlVlcFrameTextures&) = delete;

    // Uploads the frame unless these textures already hold it, then binds
    // the planes to units 1, 2 and 0, leaving unit 0 active.
    void bind(QOpenGLFunctions* gl, const QmlVlcI420Frame* frame);
    // Texture uploads so far, all outputs and contexts together.
    static quint64 uploads();

private:
    QmlVlcFrameTextures(QOpenGLContext* context, quint64 outputId);
    void allocate(QOpenGLFunctions* gl, int width, int height);

    QOpenGLContext* m_context;
    quint64 m_outputId;
    GLuint m_planes[3] = {0, 0, 0};
    int m_width = 0;
    int m_height = 0;
    uint64_t m_uploadedSerial = 0;
};
