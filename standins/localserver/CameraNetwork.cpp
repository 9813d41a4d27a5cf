#include "CameraNetwork.h"

#include <QUrl>

namespace Standin {

QString CameraNetwork::Camera::source() const
{
    if (camType == 3)
        return QStringLiteral("usb://%1").arg(ip);
    return QStringLiteral("rtsp://%1:%2@%3:554/%4").arg(login, password, ip, path);
}

const QList<CameraNetwork::Camera> &CameraNetwork::cameras()
{
    static const QList<Camera> all{
        {"Front door", 2, "192.168.1.64", "admin", "admin123", "stream1"},
        {"Garden", 2, "192.168.1.65", "admin", "garden7", "stream1"},
        {"Garage", 2, "192.168.1.66", "operator", "op2024", "live/main"},
        {"Desk camera", 3, "0", "", "", ""},
        {"Hall IPC-2MP", 2, "192.168.1.70", "admin", "12345", "h264/ch1/main"},
        {"Porch PTZ", 2, "192.168.1.71", "service", "porch71", "cam/realmonitor"},
        {"Yard 4K bullet", 2, "192.168.1.72", "root", "pass4k", "axis-media"},
    };
    return all;
}

const CameraNetwork::Camera *CameraNetwork::open(const QString &source, int camType)
{
    const QUrl url(source.trimmed(), QUrl::StrictMode);
    if (!url.isValid())
        return nullptr;
    for (const Camera &camera : cameras()) {
        if (camera.camType != camType)
            continue;
        if (camType == 3 && source.trimmed() == camera.source())
            return &camera;
        if (camType == 2 && url.scheme() == QLatin1String("rtsp") && url.host() == camera.ip
            && url.userName() == camera.login && url.password() == camera.password)
            return &camera;
    }
    return nullptr;
}

const CameraNetwork::Camera *CameraNetwork::atAddress(const QString &ip)
{
    for (const Camera &camera : cameras()) {
        if (camera.camType == 2 && camera.ip == ip.trimmed())
            return &camera;
    }
    return nullptr;
}

} // namespace Standin
