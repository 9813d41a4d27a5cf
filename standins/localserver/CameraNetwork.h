#pragma once

#include <QList>
#include <QString>

namespace Standin {

// The cameras the stand-in pretends to see on its network, and its local
// devices (USB cameras). A device record is playable when its
// source names one of them with the right credentials.
class CameraNetwork
{
public:
    struct Camera
    {
        QString name;
        int camType; // 2 IP camera, 3 USB camera
        QString ip;
        QString login;
        QString password;
        QString path;

        QString source() const;
    };

    static const QList<Camera> &cameras();
    // The camera a device source opens, or nullptr when it cannot be opened.
    static const Camera *open(const QString &source, int camType);
    // The IP camera answering at the address, or nullptr.
    static const Camera *atAddress(const QString &ip);
};

} // namespace Standin
