#include "platform/picture.h"

#include "platform/files.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

namespace {
QHash<QString, PictureReader>& readers()
{
    static QHash<QString, PictureReader> r;
    return r;
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}
}

void registerPictureReader(const QString& extension, PictureReader reader)
{
    readers().insert(extension.toLower(), reader);
}

QImage loadPicture(const QString& rawPath, QString* error)
{
    const QString path = resolvePath(rawPath);
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        setError(error, QStringLiteral("Picture '%1' is missing.").arg(path));
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("Picture '%1' cannot be read: %2").arg(path, file.errorString()));
        return {};
    }
    const QString ext = info.suffix().toLower();
    if (const auto it = readers().constFind(ext); it != readers().constEnd()) {
        const QByteArray bytes = file.read(64LL * 1024 * 1024);
        QString why;
        QImage img = (*it)(bytes, &why);
        if (img.isNull())
            setError(error, QStringLiteral("Picture '%1' is not a picture this program can read%2")
                                .arg(path, why.isEmpty() ? QStringLiteral(".") : QStringLiteral(": ") + why));
        return img;
    }
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPicturePixels) {
        setError(error, QStringLiteral("Picture '%1' is too large (%2 x %3 pixels).")
                            .arg(path).arg(size.width()).arg(size.height()));
        return {};
    }
    QImage img = reader.read();
    if (img.isNull()) {
        setError(error, QStringLiteral("Picture '%1' is not a picture this program can read (%2).")
                            .arg(path, reader.errorString()));
        return {};
    }
    return img;
}
