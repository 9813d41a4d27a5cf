#include "QmlVlcFrameTextures.h"

#include <atomic>
#include <map>
#include <mutex>
#include <utility>

#include <QOpenGLContext>

#include "QmlVlcI420Frame.h"

namespace {
enum Plane { Y = 0, U = 1, V = 2 };

// One entry per (context, output) while some material uses it; each
// window's render thread looks up its own context's entries.
std::mutex registryMutex;
std::map<std::pair<QOpenGLContext*, quint64>, std::weak_ptr<QmlVlcFrameTextures>> registry;
std::atomic<quint64> uploadCount{0};

void bindPlane(QOpenGLFunctions* gl, GLenum unit, GLuint texture)
{
    gl->glActiveTexture(unit);
    gl->glBindTexture(GL_TEXTURE_2D, texture);
}

void uploadPlane(QOpenGLFunctions* gl, GLenum unit, GLuint texture, GLsizei width, GLsizei height,
                 const char* plane)
{
    bindPlane(gl, unit, texture);
    gl->glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_LUMINANCE, GL_UNSIGNED_BYTE, plane);
}
} // namespace

std::shared_ptr<QmlVlcFrameTextures> QmlVlcFrameTextures::forOutput(quint64 outputId)
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    std::lock_guard<std::mutex> lock(registryMutex);
    auto& slot = registry[{context, outputId}];
    std::shared_ptr<QmlVlcFrameTextures> textures = slot.lock();
    if (!textures) {
        textures.reset(new QmlVlcFrameTextures(context, outputId));
        slot = textures;
    }
    return textures;
}

QmlVlcFrameTextures::QmlVlcFrameTextures(QOpenGLContext* context, quint64 outputId)
    : m_context(context)
    , m_outputId(outputId)
{
}

QmlVlcFrameTextures::~QmlVlcFrameTextures()
{
    {
        std::lock_guard<std::mutex> lock(registryMutex);
        const auto it = registry.find({m_context, m_outputId});
        if (it != registry.end() && it->second.expired())
            registry.erase(it);
    }
    if (!m_planes[Y])
        return;
    if (QOpenGLContext* context = QOpenGLContext::currentContext())
        context->functions()->glDeleteTextures(3, m_planes);
}

quint64 QmlVlcFrameTextures::uploads()
{
    return uploadCount.load();
}

void QmlVlcFrameTextures::allocate(QOpenGLFunctions* gl, int width, int height)
{
    if (!m_planes[Y])
        gl->glGenTextures(3, m_planes);
    const int widths[3] = {width, width / 2, width / 2};
    const int heights[3] = {height, height / 2, height / 2};
    for (int plane : {Y, U, V}) {
        gl->glBindTexture(GL_TEXTURE_2D, m_planes[plane]);
        gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, widths[plane], heights[plane], 0, GL_LUMINANCE,
                         GL_UNSIGNED_BYTE, nullptr);
        gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    m_width = width;
    m_height = height;
}

void QmlVlcFrameTextures::bind(QOpenGLFunctions* gl, const QmlVlcI420Frame* frame)
{
    if (frame && frame->serial != m_uploadedSerial) {
        if (frame->width != m_width || frame->height != m_height || !m_planes[Y]) {
            gl->glActiveTexture(GL_TEXTURE0);
            allocate(gl, frame->width, frame->height);
        }
        // Plane rows are padded to four bytes, which is what this alignment reads.
        gl->glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        const GLsizei w = frame->width;
        const GLsizei h = frame->height;
        uploadPlane(gl, GL_TEXTURE1, m_planes[U], w / 2, h / 2, frame->uPlane);
        uploadPlane(gl, GL_TEXTURE2, m_planes[V], w / 2, h / 2, frame->vPlane);
        uploadPlane(gl, GL_TEXTURE0, m_planes[Y], w, h, frame->yPlane);
        m_uploadedSerial = frame->serial;
        ++uploadCount;
        return;
    }
    if (!m_planes[Y])
        gl->glGenTextures(3, m_planes);
    bindPlane(gl, GL_TEXTURE1, m_planes[U]);
    bindPlane(gl, GL_TEXTURE2, m_planes[V]);
    bindPlane(gl, GL_TEXTURE0, m_planes[Y]);
}
